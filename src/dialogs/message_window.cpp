#include "dialogs/message_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace orvala::dialogs {

MessageWindow::MessageWindow(const QStringList& lines, QWidget* parent)
    : AuxDialog(word(WordRow::Attention), parent) {
    setObjectName("message");
    // The third line given may be a link, wherever the empty lines before it leave it.
    qsizetype linkAt = -1;
    for (qsizetype i = 0; i < lines.size() && lines_.size() < 3; ++i) {
        if (lines[i].isEmpty()) continue;
        if (i == 2) linkAt = lines_.size();
        lines_ << lines[i];
    }
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 20, 24, 18);
    column->setSpacing(6);
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        // Word-table texts break their lines as "\n\r"; the label wants plain line feeds. Lines
        // may come from the service: they are shown as text, never read as markup.
        auto* label = new QLabel(this);
        label->setAlignment(Qt::AlignCenter);
        const QUrl link = i == linkAt ? webLink(lines_[i]) : QUrl();
        if (link.isValid()) {
            label->setObjectName("link");
            label->setTextFormat(Qt::RichText);
            label->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(link.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                                    lines_[i].trimmed().toHtmlEscaped()));
            label->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                           Qt::LinksAccessibleByKeyboard);
            label->setOpenExternalLinks(true);
        } else {
            label->setTextFormat(Qt::PlainText);
            label->setText(QString(lines_[i]).remove('\r'));
        }
        column->addWidget(label);
    }
    column->addSpacing(8);
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setDefault(true);
    column->addWidget(Button1, 0, Qt::AlignHCenter);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, &MessageWindow::closed);
    // A narrow message still shows its whole caption: room for the title and the title bar's
    // own buttons.
    const int caption = QFontMetrics(QApplication::font()).horizontalAdvance(windowTitle()) + 140;
    setMinimumWidth(std::max(column->minimumSize().width(), caption));
}

QUrl MessageWindow::webLink(const QString& line) {
    const QString text = line.trimmed();
    if (!text.startsWith(QLatin1String("http://")) && !text.startsWith(QLatin1String("https://")))
        return {};
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() ? url : QUrl();
}

MessageWindow* showMessage(QWidget* parent, const QString& line1, const QString& line2,
                           const QString& line3) {
    auto* window = new MessageWindow({line1, line2, line3}, parent);
    window->open();
    return window;
}

}  // namespace orvala::dialogs
