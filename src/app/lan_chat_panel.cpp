#include "app/lan_chat_panel.h"

#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

#include "core/text/cp1251.h"
#include "table/word_text.h"

namespace orvala::app {
namespace {

QColor senderColour(int digit) {
    switch (digit) {
        case 2:
            return {0, 0, 128};
        case 3:
            return {0, 128, 0};
        case 4:
            return {128, 128, 0};
        default:
            return {128, 0, 0};
    }
}

constexpr int kShownLines = 4;

}  // namespace

LanChatPanel::LanChatPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("ChatPanel");
    Edit = new QLineEdit(this);
    Edit->setObjectName("ChatEdit");
    Edit->setMaxLength(static_cast<int>(lan::kChatTextMax));
    BitBtn1 = new QToolButton(this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setText(">");
    connect(Edit, &QLineEdit::returnPressed, this, &LanChatPanel::send);
    connect(BitBtn1, &QToolButton::clicked, this, &LanChatPanel::send);
    setActive(false);
}

void LanChatPanel::setLines(const std::vector<lan::ChatLine>& lines) {
    const std::size_t from = lines.size() > kShownLines ? lines.size() - kShownLines : 0;
    shown_.assign(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end());
    update();
}

void LanChatPanel::setActive(bool active) {
    Edit->setEnabled(active);
    BitBtn1->setEnabled(active);
}

QString LanChatPanel::fitted(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    QString cut = text;
    for (int dropped = 0; dropped < 12 && !cut.isEmpty(); ++dropped) {
        cut.chop(1);
        if (metrics.horizontalAdvance(cut + "...") <= width) break;
    }
    return cut + "...";
}

void LanChatPanel::send() {
    const QString text = Edit->text();
    if (text.isEmpty()) return;
    Edit->clear();
    emit sent(text);
}

void LanChatPanel::resizeEvent(QResizeEvent*) {
    const int line = height() / (kShownLines + 1);
    const int button = line + 4;
    Edit->setGeometry(0, height() - line - 2, width() - button - 2, line + 2);
    BitBtn1->setGeometry(width() - button, height() - line - 2, button, line + 2);
}

void LanChatPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int line = height() / (kShownLines + 1);
    QFont font = p.font();
    font.setPixelSize(std::max(8, line - 3));
    font.setBold(true);
    p.setFont(font);
    const QFontMetrics metrics(font);
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const lan::ChatLine& l = shown_[i];
        QString text = QString::fromStdString(cp1251ToUtf8(l.text)).trimmed();
        if (l.kind != lan::ChatLine::Kind::Said)
            text += ": " + table::word(l.kind == lan::ChatLine::Kind::Computer ? WordRow::SeatToComputer
                                       : l.kind == lan::ChatLine::Kind::Away   ? WordRow::SeatAway
                                                                               : WordRow::SeatBack);
        p.setPen(senderColour(shown_[i].sender));
        p.drawText(QRect(2, static_cast<int>(i) * line, width() - 4, line),
                   Qt::AlignLeft | Qt::AlignVCenter, fitted(text, metrics, width() - 4));
    }
}

}  // namespace orvala::app
