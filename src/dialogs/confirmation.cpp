#include "dialogs/confirmation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace orvala::dialogs {

Confirmation::Confirmation(const QString& question, QWidget* parent)
    : AuxDialog(word(WordRow::Attention), parent) {
    setObjectName("confirmation");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 20, 24, 18);
    auto* label = new QLabel(QString(question).remove('\r'), this);
    label->setAlignment(Qt::AlignCenter);
    column->addWidget(label);
    column->addSpacing(8);
    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    yesButton = dialogButton(WordRow::Yes, this);
    noButton = dialogButton(WordRow::No, this);
    noButton->setDefault(true);
    row->addStretch();
    row->addWidget(yesButton);
    row->addWidget(noButton);
    row->addStretch();
    column->addLayout(row);
    setFocusProxy(noButton);
    connect(yesButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(noButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, this,
            [this](int result) { emit answered(result == QDialog::Accepted); });
}

Confirmation* askYesNo(QWidget* parent, const QString& question,
                       std::function<void(bool)> onAnswer) {
    auto* box = new Confirmation(question, parent);
    if (onAnswer) QObject::connect(box, &Confirmation::answered, box, std::move(onAnswer));
    box->open();
    return box;
}

}  // namespace orvala::dialogs
