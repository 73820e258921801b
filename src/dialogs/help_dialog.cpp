#include "dialogs/help_dialog.h"

#include <QTextBrowser>

namespace orvala::dialogs {

THelpForm::THelpForm(const HelpPage& page, QWidget* parent)
    : AuxDialog(word(WordRow::Help), parent) {
    setObjectName("THelpForm");
    setFixedSize(560, 480);
    TextHelp = new QTextBrowser(this);
    TextHelp->setObjectName("TextHelp");
    TextHelp->setGeometry(10, 10, 540, 414);
    // Links inside the document move between topics; nothing leaves the program from here.
    TextHelp->setOpenLinks(true);
    TextHelp->setOpenExternalLinks(false);
    TextHelp->setHtml(page.html);
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(230, 438, 100, 30);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    showTopic(page.anchor);
}

void THelpForm::showTopic(const QString& anchor) {
    topic_ = anchor;
    TextHelp->scrollToAnchor(anchor);
}

}  // namespace orvala::dialogs
