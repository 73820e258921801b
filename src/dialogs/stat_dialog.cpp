#include "dialogs/stat_dialog.h"

#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>

#include "core/online/account.h"
#include "core/settings/settings.h"
#include "core/text/cp1251.h"

namespace orvala::dialogs {
namespace {

constexpr WordRow kCaptions[10] = {
    WordRow::NumberOfStarts,    WordRow::NumberOfUniqueStarts,  WordRow::Likes,
    WordRow::LastLike,          WordRow::GamesPlayedWithPcStat, WordRow::CyclesPlayedWithPc,
    WordRow::WinningPeople,     WordRow::LossOfPeople,          WordRow::GamesPlayedNet,
    WordRow::GamesPlayedOnline,
};

QString fromCp1251(const std::string& bytes) {
    return QString::fromStdString(cp1251ToUtf8(bytes));
}

}  // namespace

TFStat::TFStat(const StatQuestion& question, QWidget* parent)
    : AuxDialog(word(WordRow::Statistics), parent), question_(question) {
    setObjectName("TFStat");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(22, 18, 22, 18);
    grid->setHorizontalSpacing(16);
    auto* heading = new QLabel(word(WordRow::StatisticSinceVersion52), this);
    grid->addWidget(heading, 0, 0, 1, 2, Qt::AlignCenter);
    int r = 1;
    for (WordRow row : kCaptions) {
        auto* caption = new QLabel(word(row) + ":", this);
        caption->setMinimumWidth(248);
        grid->addWidget(caption, r, 0);
        auto* value = new QLabel(this);
        value->setMinimumWidth(148);
        values_.push_back(value);
        grid->addWidget(value, r++, 1);
    }
    Button2 = dialogButton(WordRow::ILikeThisGame, this);
    Button2->setObjectName("Button2");
    Button2->setEnabled(question.likeEnabled);
    grid->addWidget(Button2, r, 0, Qt::AlignLeft);
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    grid->addWidget(Button1, r, 1, Qt::AlignRight);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &TFStat::like);
}

void TFStat::showCounters(const std::optional<online::Statistics>& counters) {
    if (!counters) {
        values_[0]->setText(QStringLiteral("No Connect"));
        for (std::size_t i = 1; i < values_.size(); ++i) values_[i]->clear();
        return;
    }
    const online::Statistics& s = *counters;
    const QString shown[10] = {
        QString::number(s.Stat1),    QString::number(s.Stat2),    QString::number(s.Stat3),
        fromCp1251(s.Stat4),         QString::number(s.StatX[0]), QString::number(s.StatX[1]),
        QString::number(s.StatX[2]), QString::number(s.StatX[3]), QString::number(s.StatX[4]),
        QString::number(s.StatX[5]),
    };
    for (std::size_t i = 0; i < values_.size(); ++i) values_[i]->setText(shown[i]);
}

void TFStat::like() {
    if (sending_) return;
    if (question_.salute) emit saluteWanted(Button2);
    if (question_.nick == QString::fromLatin1(kDefaultOnlineNick)) {
        askNick();
        return;
    }
    sending_ = true;
    emit likeWanted(question_.nick, nickTyped_);
}

void TFStat::askNick() {
    auto* box = new QInputDialog(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(word(WordRow::Nick));
    box->setLabelText(word(WordRow::Nick));
    box->setTextValue(question_.nick);
    nickBox_ = box;
    connect(box, &QInputDialog::textValueSelected, this, [this](const QString& typed) {
        const std::string nick = utf8ToCp1251(typed.toStdString());
        if (online::passportLamp(nick, kOnlineNickMax) == online::Lamp::Red) {
            // Asked again until the nick passes or the box is cancelled.
            QMetaObject::invokeMethod(this, &TFStat::askNick, Qt::QueuedConnection);
            return;
        }
        question_.nick = typed;
        nickTyped_ = true;
        sending_ = true;
        emit likeWanted(question_.nick, true);
    });
    box->open();
}

void TFStat::likeAnswered(bool ok) {
    sending_ = false;
    if (!ok) return;
    Button2->setEnabled(false);
    bool number = false;
    const long long likes = values_[2]->text().toLongLong(&number);
    if (number) values_[2]->setText(QString::number(likes + 1));
    values_[3]->setText(question_.nick);
}

QStringList TFStat::values() const {
    QStringList out;
    for (const auto* label : values_) out << label->text();
    return out;
}

}  // namespace orvala::dialogs
