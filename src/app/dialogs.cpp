#include "app/dialogs.h"

#include <QMessageBox>
#include <QPushButton>

#include "core/lang/word_table.h"

namespace orvala::app {
namespace {

QString text(WordRow row) {
    const auto w = Word(row);
    return QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size()));
}

}  // namespace

QString word(int row) {
    return text(static_cast<WordRow>(row));
}

bool askYesNo(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, text(WordRow::Attention), question,
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(text(WordRow::Yes), QMessageBox::YesRole);
    box.addButton(text(WordRow::No), QMessageBox::NoRole);
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
    box.addButton(text(WordRow::Ok), QMessageBox::AcceptRole);
    box.setObjectName("message");
    box.exec();
}

}  // namespace orvala::app
