#pragma once
// TFormAbout, the about box: the program's name, its version, its licence and the libraries it
// uses, with "Ok". It only shows what it is given.

#include <QString>
#include <vector>

#include "dialogs/dialog_kit.h"

class QLabel;

namespace orvala::dialogs {

struct AboutInfo {
    QString version;  // the build's
    QString licence;
    struct Library {
        QString name, version, licence;
        bool optional = false;  // loaded only when installed
    };
    std::vector<Library> libraries;
};

class TFormAbout final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFormAbout(const AboutInfo& info, QWidget* parent = nullptr);

    QLabel* LabelName = nullptr;
    QLabel* LabelVersion = nullptr;
    QLabel* LabelLicence = nullptr;
    QLabel* LabelLibraries = nullptr;
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"
};

}  // namespace orvala::dialogs
