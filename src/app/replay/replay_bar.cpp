#include "app/replay/replay_bar.h"

#include "app/button_style.h"
#include "app/replay/replay_table.h"
#include "table/word_text.h"

namespace orvala::app {

ReplayBar::ReplayBar(QWidget& window, std::function<ReplayTable*()> table, QObject* parent)
    : QObject(parent), table_(std::move(table)) {
    const auto key = [&](const char* glyph, auto slot) {
        auto* b = new table::TZorCardsButton(&window);
        b->setText(QString::fromUtf8(glyph));
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    const auto with = [this](auto move) {
        return [this, move] {
            timer_.stop();
            if (ReplayTable* t = table_()) move(*t);
            update();
        };
    };
    previousDeal = key("|\u25C0", with([](ReplayTable& t) { t.previousDeal(); }));
    stepBack = key("\u25C0", with([](ReplayTable& t) { t.back(); }));
    playPause = key("\u25B6\u25B6", [this] {
        if (timer_.isActive())
            timer_.stop();
        else
            timer_.start(kStepMs[static_cast<std::size_t>(speed_)]);
        update();
    });
    stepForward = key("\u25B6", with([](ReplayTable& t) { t.forward(); }));
    nextDeal = key("\u25B6|", with([](ReplayTable& t) { t.nextDeal(); }));
    slower = key("\u2212", [this] {
        speed_ = std::max(0, speed_ - 1);
        if (timer_.isActive()) timer_.start(kStepMs[static_cast<std::size_t>(speed_)]);
        update();
    });
    faster = key("+", [this] {
        speed_ = std::min(static_cast<int>(kStepMs.size()) - 1, speed_ + 1);
        if (timer_.isActive()) timer_.start(kStepMs[static_cast<std::size_t>(speed_)]);
        update();
    });
    saveGif = key("GIF", [this] {
        timer_.stop();
        update();
        emit saveGifRequested();
    });
    where = new QLabel(&window);
    where->setAlignment(Qt::AlignCenter);
    where->setWordWrap(true);
    where->setStyleSheet("color: #f4e6b0; background: transparent;");
    where->hide();
    connect(&timer_, &QTimer::timeout, this, &ReplayBar::tick);
    applyLanguage();
}

void ReplayBar::tick() {
    ReplayTable* t = table_();
    if (!t || !t->forward()) timer_.stop();
    update();
}

void ReplayBar::setVisible(bool on) {
    if (!on) timer_.stop();
    for (QWidget* w :
         std::initializer_list<QWidget*>{previousDeal, stepBack, playPause, stepForward, nextDeal,
                                         slower, faster, saveGif, where})
        w->setVisible(on);
    if (on) update();
}

void ReplayBar::layout(double scale, const Settings& settings) {
    // Two rows of four keys right of the person's hand, the line above them.
    // The moves on the first row; the playing, its speed and the GIF on the second.
    const std::array<table::TZorCardsButton*, 8> keys = {
        previousDeal, stepBack, stepForward, nextDeal, slower, playPause, faster, saveGif};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        styleWindowButton(keys[i], settings, scale);
        const double x = 612 + 36.0 * static_cast<double>(i % 4);
        const double y = 430 + 32.0 * static_cast<double>(i / 4);
        keys[i]->setGeometry(static_cast<int>(x * scale), static_cast<int>(y * scale),
                             static_cast<int>(34 * scale), static_cast<int>(29 * scale));
    }
    where->setGeometry(static_cast<int>(606 * scale), static_cast<int>(384 * scale),
                       static_cast<int>(152 * scale), static_cast<int>(44 * scale));
    QFont f = where->font();
    f.setPixelSize(std::max(9, static_cast<int>(12 * scale)));
    where->setFont(f);
}

void ReplayBar::applyLanguage() {
    previousDeal->setToolTip(table::word(WordRow::ReplayPreviousDeal));
    stepBack->setToolTip(table::word(WordRow::ReplayStepBack));
    playPause->setToolTip(table::word(WordRow::ReplayPlayPause));
    stepForward->setToolTip(table::word(WordRow::ReplayStepForward));
    nextDeal->setToolTip(table::word(WordRow::ReplayNextDeal));
    slower->setToolTip(table::word(WordRow::ReplaySlower));
    faster->setToolTip(table::word(WordRow::ReplayFaster));
    saveGif->setToolTip(table::word(WordRow::ReplaySaveGif));
    update();
}

void ReplayBar::update() {
    const ReplayTable* t = table_();
    if (!t) return;
    playPause->setText(QString::fromUtf8(timer_.isActive() ? "\u275A\u275A" : "\u25B6\u25B6"));
    where->setText(table::word(WordRow::ReplayDealStep)
                       .arg(t->deal() + 1)
                       .arg(t->deals())
                       .arg(t->step() + 1)
                       .arg(t->steps()));
    const bool first = t->deal() == 0 && t->step() == 0;
    const bool last = t->deal() + 1 == t->deals() && t->step() + 1 == t->steps();
    previousDeal->setEnabled(!first);
    stepBack->setEnabled(!first);
    stepForward->setEnabled(!last);
    playPause->setEnabled(!last || timer_.isActive());
    nextDeal->setEnabled(t->deal() + 1 < t->deals());
    slower->setEnabled(speed_ > 0);
    faster->setEnabled(speed_ + 1 < static_cast<int>(kStepMs.size()));
}

}  // namespace orvala::app
