#pragma once
// The table as one picture: the whole-window canvas with the background, the hands, the trick
// and talon, the seat panels, the bubbles and the deal-information panel, drawn by the table
// library at the positions of the current window size.

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "core/cards/hand_helpers.h"
#include "core/game/table_events.h"
#include "core/settings/settings.h"
#include "table/panel_update.h"
#include "table/picture_store.h"
#include "table/table_geometry.h"

namespace orvala::table {

// Draws text at x = left + trunc((right - left - text width) / 2), with its top at `top`.
void CentreText(QPainter& p, const QString& text, int left, int right, int top);

// One card of a hand drawn `dx` pixels beside its place: a card that may not be played shakes
// (shakeOffsets gives the frames).
struct CardShift {
    int slot = 0;
    int dx = 0;
};

class TableView {
  public:
    explicit TableView(PictureStore& pictures);
    // The back of the coming deal, by the day of the week (Monday 1 ... Sunday 7).
    void chooseBack(int dayOfWeek);

    // ApplyWindowSize: scales, layout, card size and kind, faces, backs and background (the
    // "Purple" design's picture with designPicture). A missing library's fallback is written
    // back into the settings.
    void applyWindowSize(Settings& settings, QSize available, bool designPicture = false);
    // The background alone, again: the customizable one or the design picture.
    void loadBackground(Settings& settings, bool designPicture);
    QSize windowSize() const;
    double scale() const;
    const Scales& scales() const { return scales_; }
    const TableLayout& layout() const { return layout_; }

    QImage& canvas() { return canvas_; }
    const QImage& canvas() const { return canvas_; }
    const QImage& background() const { return background_; }

    void clearAll();  // the background over the whole window
    void clearCentre();
    // With a shift, one card is drawn `dx` pixels beside its place.
    void drawHand(int seat, const HandArray& hand, int count, bool faceUp, CardShift shift = {});
    // The person's hand as last drawn, with card `slot` moved `dx` pixels sideways; dx 0 puts it
    // back.
    void shakeCard(int slot, int dx);
    // The hand slot of the person's hand under a window point, 0 when none.
    int slotUnderPointer(QPoint p) const;
    bool overOwnHand(QPoint p) const;
    // The seat whose panel is under a window point (0 if none), and the point in the panel's
    // design units.
    int panelUnder(QPoint p, double* x, double* y) const;
    // Where card `slot` of a seat's hand lies in the window, whole (later cards may cover it).
    QRect cardRect(int seat, int slot) const;
    // A window point on the visible part of a card of the person's hand.
    QPoint slotPoint(int slot) const;
    void markCard(int slot);
    // The visible part of a card of the person's hand: to the next card's left edge, or the
    // whole card when it is the last or the hand has room for every card.
    QRect markStrip(int slot) const;

    // The window point where a card lies at a place (its top-left corner).
    QPoint placePoint(const Place& p) const;
    void drawAt(const Place& p, Card c);
    void clearAt(const Place& p);
    QImage cardImage(Card c, bool faceUp) const;
    QSize cardSize() const;

    void speech(int seat, const QString& text, char colour);
    // A seat's move clock in a tournament game: a square as tall as the seat's bubble, just to
    // its right, red on yellow down to 8 seconds and yellow on red below; -1 clears it.
    void moveClock(int seat, int seconds);
    QRect moveClockRect(int seat) const;
    // A seat panel: the table remembers what each panel shows, so an area that is erased or
    // painted again gets back whatever else lay there (the barrel under the deal points, say).
    void scoreboard(int seat, const PanelUpdate& update);
    void dealInfo(int dealNumber, SuitCode trump);
    // The computer's progress on the deal-information panel, 0..100 per cent; -1 removes it.
    void thinkingBar(int percent);

  private:
    // What a seat panel shows.
    struct PanelShown {
        bool mark = false;
        std::optional<int> dealPoints, score, bid;
        bool finalColours = false;
        bool barrel = false;
        int bolts = 0;
    };
    // Paints a seat panel as it is remembered, inside `area` only.
    void paintPanel(int seat, const QRegion& area);
    const QImage& seatPanelPicture();
    // The cloth and the frame picture of the deal-information panel, within the painter's clip.
    void paintDealPanelGround(QPainter& p);

    QImage face(Card c) const;
    QImage cardPicture(const QImage& picture) const;
    QImage back() const;
    void paintBackground(QRect r);

    PictureStore& pictures_;
    Settings settings_;
    Scales scales_;
    CardSize card_;
    TableLayout layout_;
    mutable std::array<QImage, 24> faceCache_;
    mutable QImage backCache_;
    QImage canvas_;
    QImage background_;
    std::array<std::vector<int>, 4> handXs_;
    std::array<int, 4> handCount_{};
    HandArray ownHand_{};  // the person's hand as last drawn, for a shake
    std::array<PanelShown, 4> panels_{};
    QImage seatPanel_;  // the panel picture at the panel's size
    int dealNumber_ = 0;
    SuitCode trump_ = kNoSuit;
};

}  // namespace orvala::table
