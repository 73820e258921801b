#include "dialogs/tourney_top_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace orvala::dialogs {

QImage medalPicture(std::int64_t place) {
    static const std::array<QColor, 3> metals{QColor(230, 190, 40), QColor(190, 190, 200),
                                              QColor(200, 120, 50)};
    if (place < 1 || place > 3) return {};
    QImage medal(20, 20, QImage::Format_ARGB32);
    medal.fill(Qt::transparent);
    QPainter p(&medal);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(metals[static_cast<std::size_t>(place - 1)]);
    p.drawEllipse(1, 1, 18, 18);
    return medal;
}

TFormTourneyTop::TFormTourneyTop(QWidget* parent)
    : AuxDialog(word(WordRow::TournamentTopTen), parent) {
    setObjectName("TFormTourneyTop");
    auto* top = new QVBoxLayout(this);
    auto* choice = new QHBoxLayout;
    const std::array<WordRow, 3> captions{WordRow::ScoreTournament, WordRow::RatingTournament,
                                          WordRow::GamesTournament};
    for (std::size_t k = 0; k < 3; ++k) {
        Kinds[k] = new QRadioButton(word(captions[k]), this);
        choice->addWidget(Kinds[k]);
        const auto kind = static_cast<online::TopKind>(k);
        connect(Kinds[k], &QRadioButton::toggled, this, [this, kind](bool on) {
            if (!on) return;
            kind_ = kind;
            emit kindChosen(kind);
        });
    }
    Kinds[0]->setChecked(true);
    top->addLayout(choice);
    List = new WorldList(this);
    List->setMinimumSize(420, 300);
    top->addWidget(List, 1);
    Place = new QLabel(this);
    Place->setObjectName("Place");
    top->addWidget(Place);
    Button1 = dialogButton(WordRow::Close, this);
    top->addWidget(Button1, 0, Qt::AlignHCenter);
    connect(Button1, &QAbstractButton::clicked, this, &QDialog::close);
}

void TFormTourneyTop::setRows(const std::optional<std::vector<online::TourneyTopRow>>& rows) {
    if (!rows) {
        List->setNoConnect();
        return;
    }
    std::vector<WorldLine> lines;
    for (const auto& r : *rows) {
        WorldLine l;
        l.place = QString::number(r.Place) + ".";
        l.face = medalPicture(r.Place);
        l.nick = QString::fromStdString(r.Nick);
        l.where = QString::fromStdString(r.City) + ", " + QString::fromStdString(r.Country);
        l.value = QString::number(r.Value);
        lines.push_back(std::move(l));
    }
    List->setLines(std::move(lines));
}

void TFormTourneyTop::setPlace(std::optional<std::int64_t> place) {
    Place->setText(word(WordRow::YourPlace) + ": " +
                   (place ? QString::number(*place) : QStringLiteral("No Connect")));
}

QString TFormTourneyTop::place() const {
    return Place->text();
}

}  // namespace orvala::dialogs
