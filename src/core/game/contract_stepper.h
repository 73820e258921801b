#pragma once
// The contract dialog's arithmetic: a pending value that starts at the contract and is lowered or
// raised by 1, 5 or 10, wrapping at both ends of its range.

namespace orvala {

inline constexpr int kContractTop = 300;

// The highest contract the dialog offers. It is 300, or the bid itself when the auction went
// past 300, so that no step can ever fall below the bid.
constexpr int contractTop(int contract) {
    return contract > kContractTop ? contract : kContractTop;
}

// One press of a step button: `delta` is -10, -5, -1, 1, 5 or 10.
//   Lowering below the contract gives the top when the value already is the contract, else the
//   contract. Raising past the top gives the contract when the value already is the top, else
//   the top.
int stepContract(int pending, int contract, int delta);

// Whether the steps of 1 are offered (only without rounding to five).
constexpr bool unitStepsEnabled(bool roundToFive) {
    return !roundToFive;
}

}  // namespace orvala
