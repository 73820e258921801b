#include "dialogs/top_ten_dialog.h"

#include <QPainter>

#include "core/records/club_member.h"
#include "core/text/cp1251.h"

namespace orvala::dialogs {

TFormTopTen::TFormTopTen(const TopTenQuestion& question, QWidget* parent)
    : AuxDialog(word(WordRow::TopTen), parent), question_(question) {
    setObjectName("TFormTopTen");
    title_ = question.network ? "WINDOWS. NET GAMES" : "WINDOWS. LOCAL GAMES WITH PC";
    setFixedSize(450, 560);
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button1->setGeometry(175, 495, 100, 30);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

QString TFormTopTen::name(int place) const {
    const std::string line = question_.club.topTenLine(place).substr(0, 20);
    return QString::fromStdString(cp1251ToUtf8(trimmedName(line)));
}

QString TFormTopTen::score(int place) const {
    return QString::fromStdString(question_.club.topTenLine(place).substr(20, 6)).trimmed();
}

void TFormTopTen::paintEvent(QPaintEvent* event) {
    AuxDialog::paintEvent(event);
    QPainter p(this);
    QFont f = font();
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(dialogTextColour(design()));
    const int line = QFontMetrics(f).height();
    // Texts stand on their design y as their top.
    p.drawText(QRect(0, 85, 450, line), Qt::AlignHCenter | Qt::AlignTop, title_);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(70, 120, 160, line), Qt::AlignHCenter | Qt::AlignTop, word(WordRow::TopTen));
    p.drawText(QRect(250, 120, 150, line), Qt::AlignHCenter | Qt::AlignTop, word(WordRow::Score));
    for (int place = 1; place <= kTopTenPlaces; ++place) {
        const int y = 150 + 33 * (place - 1);
        p.setPen(place <= 3 ? QColor(Qt::red) : QColor(0, 0, 128));
        p.drawText(QPoint(70, y + QFontMetrics(f).ascent()), QString("%1.").arg(place));
        p.drawText(QPoint(95, y + QFontMetrics(f).ascent()), name(place));
        p.drawText(QRect(250, y, 130, line), Qt::AlignRight | Qt::AlignTop, score(place));
    }
}

}  // namespace orvala::dialogs
