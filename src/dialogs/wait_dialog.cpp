#include "dialogs/wait_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace orvala::dialogs {

TFormWait::TFormWait(bool host, QWidget* parent)
    : AuxDialog(word(WordRow::PleaseWaitConnect), parent) {
    setObjectName("TFormWait");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 18, 22, 18);
    Label1 = new QLabel(word(host ? WordRow::WaitingForPlayers : WordRow::ExpectationOfGame), this);
    Label1->setObjectName("Label1");
    Label1->setMinimumWidth(320);
    column->addWidget(Label1);
    const WordRow lines[3] = {WordRow::SecondPlayerConnected, WordRow::ThirdPlayerConnected,
                              WordRow::FourthPlayerConnected};
    for (int i = 0; i < 3; ++i) {
        Lines[i] = new QLabel(word(lines[i]), this);
        Lines[i]->hide();
        column->addWidget(Lines[i]);
    }
    auto* row = new QHBoxLayout;
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setEnabled(false);
    Button2 = dialogButton(WordRow::Cancel, this);
    Button2->setObjectName("Button2");
    row->addWidget(Button1);
    row->addWidget(Button2);
    column->addLayout(row);
    connect(Button1, &QPushButton::clicked, this, [this] { finish(true); });
    connect(Button2, &QPushButton::clicked, this, [this] { finish(false); });
    second_.setInterval(1000);
    connect(&second_, &QTimer::timeout, this, &TFormWait::secondTick);
    second_.start();
}

void TFormWait::playersJoined(int joined) {
    for (int i = 0; i < 3; ++i) Lines[i]->setVisible(i < joined);
    Button1->setEnabled(joined > 0);
    Button2->setEnabled(joined == 0);
}

void TFormWait::seated() {
    finish(true);
}

void TFormWait::secondTick() {
    if (noGame_) Label1->setText(word(WordRow::NoAccessibleGames));
}

void TFormWait::reject() {
    if (Button2->isEnabled()) finish(false);
}

void TFormWait::finish(bool start) {
    if (answered_) return;
    answered_ = true;
    second_.stop();
    if (start) {
        emit started();
        accept();
    } else {
        emit cancelled();
        QDialog::reject();
    }
}

}  // namespace orvala::dialogs
