#pragma once
// TFAcc2, the personal page editor: the fourteen texts of the page, each limited to its length,
// and the photo. "Update info" asks for the page to be written; "Refresh photo" says what the
// photo must be, asks for a JPEG file and asks for it to be uploaded; the window answers with
// `pageWritten` and `showPhoto`. "Close" closes.

#include <vector>

#include "core/online/account_page.h"
#include "dialogs/dialog_kit.h"

class QLabel;
class QLineEdit;

namespace orvala::dialogs {

class TFAcc2 final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFAcc2(const online::PersonalPage& page, QWidget* parent = nullptr);

    online::PersonalPage page() const;
    void showPhoto(const QImage& photo);
    bool hasPhoto() const { return hasPhoto_; }
    // The chosen file, as the file box gives it (tests call it directly).
    void photoFileChosen(const QString& path);

    std::vector<QLineEdit*> edits;  // in the page's order
    table::TZorCardsButton *ButtonUpdate = nullptr, *ButtonPhoto = nullptr, *ButtonClose = nullptr;

  Q_SIGNALS:
    void updateWanted(const online::PersonalPage& page);
    // The picture's bytes; a file that cannot be read or is no JPEG is told here and not sent.
    void photoWanted(const QByteArray& jpeg);

  private:
    void askPhoto();
    QLabel* photo_ = nullptr;
    bool hasPhoto_ = false;
};

}  // namespace orvala::dialogs
