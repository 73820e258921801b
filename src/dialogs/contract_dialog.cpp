#include "dialogs/contract_dialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "core/game/contract_stepper.h"

namespace orvala::dialogs {

QImage stepSign(bool raise) {
    // White bars with a dark outline read on every button scheme.
    constexpr int kSize = 13;
    QImage sign(kSize, kSize, QImage::Format_ARGB32);
    sign.fill(Qt::transparent);
    QPainter p(&sign);
    const QRect across(1, 5, 11, 3), down(5, 1, 3, 11);
    p.fillRect(across.adjusted(-1, -1, 1, 1), QColor(0, 0, 60));
    if (raise) p.fillRect(down.adjusted(-1, -1, 1, 1), QColor(0, 0, 60));
    p.fillRect(across, Qt::white);
    if (raise) p.fillRect(down, Qt::white);
    return sign;
}

TFormZakaz::TFormZakaz(const ContractQuestion& question, QWidget* parent)
    : AuxDialog(word(WordRow::TheOrderOfGame), parent),
      contract_(question.contract),
      pending_(question.contract) {
    setObjectName("TFormZakaz");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(22, 18, 22, 18);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(8);
    grid->addWidget(new QLabel(word(WordRow::OrderGame), this), 0, 0, 1, 3, Qt::AlignCenter);

    value_ = new QLabel(QString::number(pending_), this);
    value_->setObjectName("value");
    QFont big = font();
    big.setPixelSize(big.pixelSize() > 0 ? big.pixelSize() * 2 : 32);
    big.setBold(true);
    value_->setFont(big);
    value_->setAlignment(Qt::AlignCenter);
    value_->setMinimumWidth(QFontMetrics(big).horizontalAdvance("0000"));
    value_->setAccessibleDescription(word(WordRow::OrderGame));
    grid->addWidget(value_, 1, 1, 3, 1);

    static constexpr int kDeltas[7] = {0, -1, -5, -10, 1, 5, 10};
    for (int i = 1; i <= 6; ++i) {
        const int delta = kDeltas[i];
        BitBtn[i] = dialogButton(QString::number(delta < 0 ? -delta : delta), this);
        BitBtn[i]->setObjectName(QString("BitBtn%1").arg(i));
        BitBtn[i]->setProperty("delta", delta);
        BitBtn[i]->setGlyph(stepSign(delta > 0));
        if (delta == 1 || delta == -1)
            BitBtn[i]->setEnabled(unitStepsEnabled(question.roundToFive));
        BitBtn[i]->setAccessibleName(QString::asprintf("%+d", delta));
        connect(BitBtn[i], &QPushButton::clicked, this, [this, delta] { step(delta); });
        grid->addWidget(BitBtn[i], i <= 3 ? i : i - 3, i <= 3 ? 0 : 2);
    }

    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] {
        accept();
        emit answered(pending_);
    });
    grid->addWidget(Button1, 4, 0, 1, 3, Qt::AlignHCenter);
}

void TFormZakaz::step(int delta) {
    pending_ = stepContract(pending_, contract_, delta);
    value_->setText(QString::number(pending_));
}

void TFormZakaz::keyPressEvent(QKeyEvent* e) {
    // Up and Down step by five (by one where single points are offered and Shift is held),
    // Page Up and Page Down by ten; Enter is "Ok".
    const bool fine = (e->modifiers() & Qt::ShiftModifier) && BitBtn[1]->isEnabled();
    switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_Plus:
            return step(fine ? 1 : 5);
        case Qt::Key_Down:
        case Qt::Key_Minus:
            return step(fine ? -1 : -5);
        case Qt::Key_PageUp:
            return step(10);
        case Qt::Key_PageDown:
            return step(-10);
        default:
            AuxDialog::keyPressEvent(e);
    }
}

void TFormZakaz::reject() {}

}  // namespace orvala::dialogs
