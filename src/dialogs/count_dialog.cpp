#include "dialogs/count_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace orvala::dialogs {

QImage drawnLamp(int accountState) {
    static const QColor kColours[3] = {QColor(220, 30, 30), QColor(240, 200, 20),
                                       QColor(30, 190, 60)};
    QImage lamp(24, 24, QImage::Format_ARGB32);
    lamp.fill(Qt::transparent);
    QPainter p(&lamp);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(9, 9, 12);
    glow.setColorAt(0, Qt::white);
    glow.setColorAt(1, kColours[std::clamp(accountState, 1, 3) - 1]);
    p.setBrush(glow);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    return lamp;
}

TFormCount::TFormCount(const CountQuestion& question, QWidget* parent)
    : AuxDialog(word(WordRow::Player) + ":  " + question.player, parent) {
    setObjectName("TFormCount");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(22, 18, 22, 18);
    grid->setHorizontalSpacing(16);
    auto* heading = new QLabel(word(WordRow::InformationAboutGame), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    grid->addWidget(heading, 0, 0, 1, 2, Qt::AlignCenter);
    const ScoreSummary& v = question.values;
    const std::pair<WordRow, const std::string*> rows[7] = {
        {WordRow::GeneralNumberOfGame, &v.gamesAll}, {WordRow::RoundInCycle, &v.gamesInCycle},
        {WordRow::TheInitialScore, &v.scoreBefore},  {WordRow::TheCurrentScore, &v.scoreNow},
        {WordRow::TheGeneralScore, &v.scoreTotal},   {WordRow::TheInitialRating, &v.ratingBefore},
        {WordRow::TheCurrentRating, &v.ratingNow},
    };
    int r = 1;
    for (const auto& [row, value] : rows) {
        grid->addWidget(new QLabel(word(row), this), r, 0);
        auto* label = new QLabel(QString::fromStdString(*value).trimmed(), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values_.push_back(label);
        grid->addWidget(label, r++, 1);
    }
    auto* lamp = new QLabel(this);
    lamp->setObjectName("lamp");
    lamp->setPixmap(QPixmap::fromImage(question.lamp.isNull() ? drawnLamp(question.accountState)
                                                              : question.lamp));
    grid->addWidget(lamp, r, 0, Qt::AlignLeft);
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    grid->addWidget(Button1, r, 1, Qt::AlignRight);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

QStringList TFormCount::values() const {
    QStringList out;
    for (const auto* label : values_) out << label->text();
    return out;
}

}  // namespace orvala::dialogs
