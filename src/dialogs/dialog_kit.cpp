#include "dialogs/dialog_kit.h"

#include <QLinearGradient>
#include <QPainter>
#include <optional>

#include "table/fonts.h"

namespace orvala::dialogs {
namespace {

// Made on first use: a font needs the application object.
std::optional<DialogLook>& current() {
    static std::optional<DialogLook> look;
    return look;
}

// The gold of the title screen's frames, light and dark.
const QColor kGold(200, 170, 60);
const QColor kDarkGold(120, 100, 40);

void frame(QPainter& p, const QRect& area) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 2));
    p.drawRect(area.adjusted(4, 4, -5, -5));
    p.setPen(QPen(kDarkGold, 1));
    p.drawRect(area.adjusted(8, 8, -9, -9));
}

// A red ribbon across the dialog in the buttons' own reds: a dark edge, a pale line, pure red.
void ribbon(QPainter& p, int left, int right, int top) {
    static const QColor rows[] = {{128, 0, 0}, {232, 173, 173}, {178, 0, 0},
                                  {212, 0, 0}, {238, 0, 0},     {128, 0, 0}};
    for (const QColor& c : rows) {
        p.setPen(c);
        p.drawLine(left, top, right, top);
        ++top;
    }
}

}  // namespace

DialogLook dialogLookFrom(const Settings& settings) {
    DialogLook look;
    look.newButtons = settings.NewButtonsOn;
    look.design = settings.AuxDesignPurple      ? AuxDesign::Purple
                  : settings.AuxDesignGrey == 1 ? AuxDesign::GreyConcise
                  : settings.AuxDesignGrey == 3 ? AuxDesign::GreyRedRibbons
                                                : AuxDesign::GreyAristocratic;
    look.font = table::slotFont(settings, 16, "decor");
    return look;
}

void setDialogLook(const DialogLook& look) {
    current() = look;
}

const DialogLook& dialogLook() {
    if (!current()) current() = dialogLookFrom(Settings{});
    return *current();
}

table::TColorSB dialogButtonScheme() {
    return table::TColorSB::DBlue;
}

table::TZorCardsButton* dialogButton(const QString& caption, QWidget* parent) {
    auto* b = new table::TZorCardsButton(caption, parent);
    const DialogLook& look = dialogLook();
    QFont f = look.font;
    f.setBold(true);
    b->setFont(f);
    // Light captions on the dark blue, yellow under the mouse, as on the main window.
    QPalette pal = b->palette();
    pal.setColor(QPalette::ButtonText, Qt::white);
    b->setPalette(pal);
    b->setColorMouse(QColor(255, 230, 120));
    b->setLightFont(true);
    b->setGrayDis(true);
    b->setColorSB(dialogButtonScheme());
    b->setNata(look.newButtons);
    b->setAutoDefault(false);
    return b;
}

table::TZorCardsButton* dialogButton(WordRow caption, QWidget* parent) {
    return dialogButton(word(caption), parent);
}

QColor dialogTextColour(AuxDesign design) {
    return design == AuxDesign::Purple ? QColor(245, 235, 255) : QColor(30, 30, 30);
}

void paintDialogGround(QPainter& p, const QRect& area, AuxDesign design) {
    p.save();
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    switch (design) {
        case AuxDesign::Purple:
            g.setColorAt(0, QColor(112, 48, 140));
            g.setColorAt(1, QColor(44, 12, 66));
            break;
        case AuxDesign::GreyAristocratic:
            g.setColorAt(0, QColor(228, 226, 222));
            g.setColorAt(1, QColor(176, 174, 170));
            break;
        case AuxDesign::GreyConcise:
        case AuxDesign::GreyRedRibbons:
            g.setColorAt(0, QColor(238, 238, 238));
            g.setColorAt(1, QColor(204, 204, 204));
            break;
    }
    p.fillRect(area, g);
    switch (design) {
        case AuxDesign::Purple:
        case AuxDesign::GreyAristocratic:
            frame(p, area);
            break;
        case AuxDesign::GreyConcise:
            p.setPen(QColor(120, 120, 120));
            p.setBrush(Qt::NoBrush);
            p.drawRect(area.adjusted(0, 0, -1, -1));
            break;
        case AuxDesign::GreyRedRibbons:
            ribbon(p, area.left(), area.right(), area.top() + 3);
            ribbon(p, area.left(), area.right(), area.bottom() - 8);
            break;
    }
    p.restore();
}

AuxDialog::AuxDialog(const QString& title, QWidget* parent)
    : QDialog(parent), design_(dialogLook().design) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    restyle();
}

void AuxDialog::restyle() {
    design_ = dialogLook().design;
    setFont(dialogLook().font);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, dialogTextColour(design_));
    setPalette(pal);
    table::applyNewButtons(this, dialogLook().newButtons);
    update();
}

void AuxDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintDialogGround(p, rect(), design_);
}

void AuxDialog::showEvent(QShowEvent* event) {
    table::applyNewButtons(this, dialogLook().newButtons);
    QDialog::showEvent(event);
}

}  // namespace orvala::dialogs
