#include "dialogs/message_window.h"

#include <QLabel>
#include <QVBoxLayout>

namespace orvala::dialogs {

MessageWindow::MessageWindow(const QStringList& lines, QWidget* parent)
    : AuxDialog(word(WordRow::Attention), parent) {
    setObjectName("message");
    for (const QString& line : lines)
        if (!line.isEmpty() && lines_.size() < 3) lines_ << line;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 20, 24, 18);
    column->setSpacing(6);
    for (const QString& line : lines_) {
        // Word-table texts break their lines as "\n\r"; the label wants plain line feeds.
        auto* label = new QLabel(QString(line).remove('\r'), this);
        label->setAlignment(Qt::AlignCenter);
        // A line that is a web address is a link, opened in the browser.
        if (line.startsWith("http://") || line.startsWith("https://")) {
            label->setTextFormat(Qt::RichText);
            label->setText(QString("<a href=\"%1\">%1</a>").arg(line.toHtmlEscaped()));
            label->setOpenExternalLinks(true);
            label->setObjectName("link");
        } else {
            label->setTextFormat(Qt::PlainText);
        }
        column->addWidget(label);
    }
    column->addSpacing(8);
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setDefault(true);
    column->addWidget(Button1, 0, Qt::AlignHCenter);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, &MessageWindow::closed);
}

MessageWindow* showMessage(QWidget* parent, const QString& line1, const QString& line2,
                           const QString& line3) {
    auto* window = new MessageWindow({line1, line2, line3}, parent);
    window->open();
    return window;
}

}  // namespace orvala::dialogs
