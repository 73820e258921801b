#include "core/game/contract_stepper.h"

namespace orvala {

int stepContract(int pending, int contract, int delta) {
    const int top = contractTop(contract);
    if (delta < 0) {
        if (pending + delta < contract) return pending == contract ? top : contract;
        return pending + delta;
    }
    if (pending + delta <= top) return pending + delta;
    return pending == top ? contract : top;
}

}  // namespace orvala
