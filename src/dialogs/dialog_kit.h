#pragma once
// The dialog kit: what every dialog of the program shares, so that they look like the game and
// not like plain grey windows.
//
// - The look, set by the main window from the settings whenever they change: "New buttons", the
//   auxiliary-window design ("Gray concise", "Gray aristocratic", "Gray with red ribbons" or
//   "Purple") and the dialogs' font. Dialogs read it when they are made.
// - The buttons: the program's own TZorCardsButton in the dialogs' blue scheme, with light bold
//   captions as on the main window.
// - AuxDialog, the base of every dialog: it paints the design's ground behind its controls, sets
//   the font and the text colour, and deletes itself when it closes. Dialogs are opened with
//   open() and answer by signals; none of them runs an event loop of its own.
//
// Texts come from the word table through table::word, which the kit brings into this namespace.

#include <QDialog>
#include <QFont>

#include "core/lang/word_row.h"
#include "core/settings/settings.h"
#include "table/button_look.h"
#include "table/word_text.h"
#include "table/zor_cards_button.h"

class QPainter;

namespace orvala::dialogs {

using table::word;

enum class AuxDesign { GreyConcise, GreyAristocratic, GreyRedRibbons, Purple };

struct DialogLook {
    bool newButtons = false;
    AuxDesign design = AuxDesign::GreyAristocratic;
    QFont font;  // the texts; captions of buttons are this font in bold
};

// The look the settings ask for: "Purple" when AuxDesignPurple is on, else the grey design of
// AuxDesignGrey (1 concise, 2 aristocratic, 3 with red ribbons; anything else aristocratic).
DialogLook dialogLookFrom(const Settings& settings);
void setDialogLook(const DialogLook& look);
const DialogLook& dialogLook();

table::TColorSB dialogButtonScheme();
// A dialog's push button in the current look.
table::TZorCardsButton* dialogButton(const QString& caption, QWidget* parent = nullptr);
table::TZorCardsButton* dialogButton(WordRow caption, QWidget* parent = nullptr);

// The colour of texts on the design's ground.
QColor dialogTextColour(AuxDesign design);
// The design's ground filling `area` (the whole dialog).
void paintDialogGround(QPainter& painter, const QRect& area, AuxDesign design);

class AuxDialog : public QDialog {
    Q_OBJECT
  public:
    // title: the window's caption. The dialog is window-modal once opened and is deleted when
    // it closes.
    AuxDialog(const QString& title, QWidget* parent = nullptr);

    AuxDesign design() const { return design_; }
    // Takes the current look again (after the auxiliary design or "New buttons" changed).
    void restyle();

  protected:
    void paintEvent(QPaintEvent* event) override;
    // "New buttons" applies whenever a window is shown.
    void showEvent(QShowEvent* event) override;

  private:
    AuxDesign design_;
};

}  // namespace orvala::dialogs
