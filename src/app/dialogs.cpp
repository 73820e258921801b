#include "app/dialogs.h"

#include <QMessageBox>

#include "core/lang/word_table.h"
#include "table/zor_cards_button.h"

namespace orvala::app {
namespace {

QString text(WordRow row) {
    const auto w = Word(row);
    return QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size()));
}

}  // namespace

namespace {
bool newButtons = false;

// A message window's button, drawn like every other.
table::TZorCardsButton* dialogButton(QMessageBox& box, WordRow caption,
                                     QMessageBox::ButtonRole role) {
    auto* b = new table::TZorCardsButton(text(caption));
    b->setColorSB(dialogButtonScheme());
    b->setNata(newButtons);
    b->setMinimumWidth(100);
    box.addButton(b, role);
    return b;
}
}  // namespace

void setNewButtonsLook(bool on) {
    newButtons = on;
}
bool newButtonsLook() {
    return newButtons;
}
table::TColorSB dialogButtonScheme() {
    return table::TColorSB::DBlue;
}

QString word(int row) {
    return text(static_cast<WordRow>(row));
}

bool askYesNo(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, text(WordRow::Attention), question,
                    QMessageBox::NoButton, parent);
    auto* yes = dialogButton(box, WordRow::Yes, QMessageBox::YesRole);
    dialogButton(box, WordRow::No, QMessageBox::NoRole);
    box.setObjectName("confirmation");
    box.exec();
    return box.clickedButton() == yes;
}

void showMessage(QWidget* parent, const QString& line1, const QString& line2,
                 const QString& line3) {
    QString body = line1;
    for (const QString& line : {line2, line3})
        if (!line.isEmpty()) body += "\n" + line;
    QMessageBox box(QMessageBox::Information, text(WordRow::Attention), body, QMessageBox::NoButton,
                    parent);
    dialogButton(box, WordRow::Ok, QMessageBox::AcceptRole);
    box.setObjectName("message");
    box.exec();
}

}  // namespace orvala::app
