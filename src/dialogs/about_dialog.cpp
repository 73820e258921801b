#include "dialogs/about_dialog.h"

#include <QLabel>

namespace orvala::dialogs {
namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect where) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(where);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

}  // namespace

TFormAbout::TFormAbout(const AboutInfo& info, QWidget* parent)
    : AuxDialog(word(WordRow::About), parent) {
    setObjectName("TFormAbout");
    setFixedSize(420, 360);
    LabelName = label(this, "LabelName", word(WordRow::Orvala), {20, 14, 380, 36});
    QFont big = LabelName->font();
    if (big.pointSizeF() > 0)
        big.setPointSizeF(big.pointSizeF() * 1.8);
    else
        big.setPixelSize(big.pixelSize() * 9 / 5);
    big.setBold(true);
    LabelName->setFont(big);
    LabelName->setAlignment(Qt::AlignCenter);
    LabelVersion =
        label(this, "LabelVersion", word(WordRow::Version) + " " + info.version, {20, 52, 380, 22});
    LabelVersion->setAlignment(Qt::AlignCenter);
    LabelLicence = label(this, "LabelLicence", word(WordRow::Licence) + ": " + info.licence,
                         {20, 84, 380, 40});
    QString libraries = word(WordRow::LibrariesUsed) + ":";
    for (const auto& l : info.libraries) {
        libraries += "\n\u2022 " + l.name;
        if (!l.version.isEmpty()) libraries += " " + l.version;
        libraries += " (" + l.licence + ")";
        if (l.optional) libraries += ", " + word(WordRow::WhenInstalled);
    }
    LabelLibraries = label(this, "LabelLibraries", libraries, {20, 130, 380, 176});
    LabelLibraries->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(160, 318, 100, 30);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace orvala::dialogs
