#include "app/contract_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/dialogs.h"
#include "core/game/contract_stepper.h"
#include "core/lang/word_row.h"

namespace orvala::app {

TFormZakaz::TFormZakaz(int contract, bool roundToFive, QWidget* parent)
    : QDialog(parent), contract_(contract), pending_(contract) {
    setObjectName("TFormZakaz");
    setWindowTitle(word(static_cast<int>(WordRow::TheOrderOfGame)));
    setModal(true);
    auto* grid = new QGridLayout(this);
    auto* prompt = new QLabel(word(static_cast<int>(WordRow::OrderGame)), this);
    grid->addWidget(prompt, 0, 0, 1, 3, Qt::AlignCenter);
    value_ = new QLabel(QString::number(pending_), this);
    value_->setObjectName("value");
    QFont f = value_->font();
    f.setPointSize(f.pointSize() * 2);
    f.setBold(true);
    value_->setFont(f);
    value_->setAlignment(Qt::AlignCenter);
    grid->addWidget(value_, 2, 1);
    static constexpr int kDeltas[7] = {0, -1, -5, -10, 1, 5, 10};
    for (int i = 1; i <= 6; ++i) {
        BitBtn[i] = new table::TZorCardsButton(
            QString::number(kDeltas[i] < 0 ? -kDeltas[i] : kDeltas[i]), this);
        BitBtn[i]->setObjectName(QString("BitBtn%1").arg(i));
        BitBtn[i]->setAutoDefault(false);
        if (kDeltas[i] == 1 || kDeltas[i] == -1)
            BitBtn[i]->setEnabled(unitStepsEnabled(roundToFive));
        const int delta = kDeltas[i];
        connect(BitBtn[i], &QPushButton::clicked, this, [this, delta] { step(delta); });
        grid->addWidget(BitBtn[i], i <= 3 ? i : i - 3, i <= 3 ? 0 : 2);
    }
    Button1 = new table::TZorCardsButton(word(static_cast<int>(WordRow::Ok)), this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(Button1, 4, 0, 1, 3);
    for (int i = 1; i <= 6; ++i) BitBtn[i]->setColorSB(dialogButtonScheme());
    Button1->setColorSB(dialogButtonScheme());
    table::applyNewButtons(this, newButtonsLook());
}

void TFormZakaz::step(int delta) {
    pending_ = stepContract(pending_, contract_, delta);
    value_->setText(QString::number(pending_));
}

void TFormZakaz::reject() {}

}  // namespace orvala::app
