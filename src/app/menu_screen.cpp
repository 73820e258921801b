#include "app/menu_screen.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "app/button_style.h"
#include "table/art_names.h"
#include "table/fonts.h"
#include "table/word_text.h"

namespace orvala::app {
namespace {

using table::TZorCardsButton;

// The decorations stand below "History" and "Mode", clear of the buttons, the club panel and the
// calendar's cards beside the title.
constexpr double kDecorationLeft[2] = {50, 630};
constexpr double kDecorationTop = 300, kDecorationSide = 80;

TZorCardsButton* menuButton(QWidget* window, const QString& name, bool enabled) {
    auto* b = new TZorCardsButton(window);
    b->setObjectName(name);
    b->setEnabled(enabled);
    b->hide();
    return b;
}

}  // namespace

// The title in colour k of 1..7: 1 is the picture as drawn, each next one turns its hues a
// seventh of the circle further.
static QImage titleInColour(const QImage& title, int colour) {
    const int turn = (std::clamp(colour, 1, 7) - 1) * 360 / 7;
    if (turn == 0 || title.isNull()) return title;
    QImage out = title.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            QColor c = QColor::fromRgba(line[x]);
            int h, sat, v, a;
            c.getHsv(&h, &sat, &v, &a);
            if (h < 0) continue;  // grey keeps its grey
            c.setHsv((h + turn) % 360, sat, v, a);
            line[x] = c.rgba();
        }
    }
    return out;
}

MenuScreen::MenuScreen(QWidget* window, table::TableView& view,
                       const table::PictureSource& pictures, Settings& settings)
    : keys(window, settings,
           [this, window] {
               picturesScaled_ = false;
               draw();
               window->update();
           }),
      view_(view),
      pictures_(pictures),
      settings_(settings) {
    for (int k = 1; k <= 5; ++k) {
        // The members' lines come with the club files.
        members[static_cast<size_t>(k - 1)] = menuButton(window, QString("Button%1").arg(k), false);
    }
    Button6 = menuButton(window, "Button6", true);
    // Their windows come with later work.
    Button9 = menuButton(window, "Button9", false);
    Button10 = menuButton(window, "Button10", false);
    BHistory = menuButton(window, "BHistory", false);
    BMode = menuButton(window, "BMode", true);
    Button11 = menuButton(window, "Button11", true);
    buttons_ = {members.begin(), members.end()};
    buttons_.insert(buttons_.end(), {Button6, Button9, Button10, BHistory, BMode, Button11});

    Panel4 = new QLabel(window);
    Panel4->setObjectName("Panel4");
    // The heading's blanks align its columns: shown as they are.
    Panel4->setTextFormat(Qt::PlainText);
    Panel4->setAlignment(Qt::AlignCenter);
    Panel4->setAutoFillBackground(true);
    Panel4->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette p = Panel4->palette();
    p.setColor(QPalette::Window, QColor(16, 28, 20, 215));
    p.setColor(QPalette::WindowText, QColor(236, 204, 110));
    Panel4->setPalette(p);
    Panel4->hide();

    QObject::connect(BMode, &QPushButton::clicked, BMode, [this] {
        settings_.TopTenMode = settings_.TopTenMode == 2 ? 1 : 2;
        applyLanguage();
    });
    applyLanguage();
}

void MenuScreen::applyLanguage() {
    using table::word;
    Button6->setText(word(WordRow::NewPlayer));
    Button9->setText(word(WordRow::TopTen));
    Button10->setText(word(WordRow::Options));
    BHistory->setText(word(WordRow::History));
    BMode->setText(word(WordRow::Mode));
    Button11->setText(word(WordRow::Exit));
    keys.applyLanguage();
    Panel4->setText(
        word(settings_.TopTenMode == 2 ? WordRow::TopTenHeaderRating : WordRow::TopTenHeaderScore));
    // A longer caption may need a smaller font to fit the same panel.
    Panel4->setFont(
        table::fittingFont(headingFont_, Panel4->text(), Panel4->contentsRect().width() - 4));
}

QRect MenuScreen::rectOf(double x, double y, double w, double h) const {
    const auto r = table::mapRect(view_.scales(), x, y, w, h);
    return {r.left, r.top, r.width, r.height};
}

void MenuScreen::layout() {
    const double s = view_.scale() > 0 ? view_.scale() : 1;
    // Rows are r = round(30 s) pixels high; the offsets of the table are pixels too, so they
    // are taken back to design units here.
    const double r = std::round(30 * s) / s;
    const double five = std::round(5 * s) / s, ten = std::round(10 * s) / s;
    for (auto* b : buttons_) styleWindowButton(b, settings_, s);
    for (int k = 1; k <= 5; ++k)
        members[static_cast<size_t>(k - 1)]->setGeometry(rectOf(180, 265 + (k - 1) * r, 400, r));
    Button6->setGeometry(rectOf(280, 265 + 5 * r + ten, 200, r));
    Button9->setGeometry(rectOf(40, 225, 100, r));
    Button10->setGeometry(rectOf(620, 225, 100, r));
    BHistory->setGeometry(rectOf(40, 255, 100, r));
    BMode->setGeometry(rectOf(620, 255, 100, r));
    Button11->setGeometry(rectOf(330, 465, 100, r));

    Panel4->setGeometry(rectOf(180, 265 - r - ten, 400, r));
    Panel4->setLineWidth(std::max(1, static_cast<int>(std::lround(s))));
    headingFont_ = table::slotFont(settings_, static_cast<int>(std::lround(16 * s)), "fixed", true);
    applyLanguage();

    titleRect_ = rectOf(230, 90 - five, 300, 3 * r);
    keys.layout(view_.scales());
    for (size_t k = 0; k < 2; ++k)
        decorationRects_[k] =
            rectOf(kDecorationLeft[k], kDecorationTop, kDecorationSide, kDecorationSide);
    // The pictures are decoded and scaled when the menu is first drawn at this size, so that
    // the title screen comes up without waiting for them.
    picturesScaled_ = false;
}

void MenuScreen::scalePictures() {
    if (picturesScaled_) return;
    picturesScaled_ = true;
    title_ = titleInColour(pictures_.picture("GTitle"), settings_.TitleColour)
                 .scaled(titleRect_.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage strips[2] = {pictures_.picture(art::kMenuFilmNames[0]),
                              pictures_.picture(art::kMenuFilmNames[1])};
    for (size_t k = 0; k < 2; ++k) {
        films_[k].clear();
        const int side = art::kMenuFilmFrameSize;
        for (int f = 0; f < art::kMenuFilmFrames && strips[k].width() >= (f + 1) * side; ++f)
            films_[k].push_back(strips[k]
                                    .copy(f * side, 0, side, side)
                                    .scaled(decorationRects_[k].size(), Qt::IgnoreAspectRatio,
                                            Qt::SmoothTransformation));
    }
}

void MenuScreen::setColour(table::TColorSB scheme) {
    for (auto* b : buttons_) b->setColorSB(scheme);
}

void MenuScreen::show() {
    Panel4->show();
    keys.show();
    for (auto* b : buttons_) b->show();
    draw();
}

void MenuScreen::hide() {
    Panel4->hide();
    keys.hide();
    for (auto* b : buttons_) b->hide();
}

void MenuScreen::draw() {
    scalePictures();
    view_.clearAll();
    {
        QPainter p(&view_.canvas());
        p.drawImage(titleRect_.topLeft(), title_);
    }
    for (int k = 0; k < 2; ++k) drawDecoration(k);
}

int MenuScreen::frameAt(int k) const {
    const int n = art::kMenuFilmFrames;
    const int step = (ticks_ / kTicksPerFrame) % n;
    // The two turn opposite ways, mirroring each other.
    return k == 0 ? step : (n - step) % n;
}

void MenuScreen::drawDecoration(int k) {
    scalePictures();
    const auto i = static_cast<size_t>(k);
    frames_[i] = frameAt(k);
    const QRect r = decorationRects_[i];
    QPainter p(&view_.canvas());
    p.drawImage(r.topLeft(), view_.background(), r);
    if (static_cast<size_t>(frames_[i]) < films_[i].size())
        p.drawImage(r.topLeft(), films_[i][static_cast<size_t>(frames_[i])]);
}

QRegion MenuScreen::tick() {
    const int cycle = kTicksPerFrame * art::kMenuFilmFrames;
    ticks_ = settings_.GifAnimationOn ? (ticks_ + 1) % cycle : 0;
    QRegion drawn;
    for (int k = 0; k < 2; ++k) {
        if (frameAt(k) == frames_[static_cast<size_t>(k)]) continue;
        drawDecoration(k);
        drawn += decorationRects_[static_cast<size_t>(k)];
    }
    return drawn;
}

}  // namespace orvala::app
