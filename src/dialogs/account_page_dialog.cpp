#include "dialogs/account_page_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/text/cp1251.h"
#include "dialogs/account_dialog.h"
#include "dialogs/message_window.h"

namespace orvala::dialogs {

TFAcc2::TFAcc2(const online::PersonalPage& page, QWidget* parent)
    : AuxDialog(word(WordRow::AboutMe), parent) {
    setObjectName("TFAcc2");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 12, 16, 12);
    grid->addWidget(new QLabel(word(WordRow::InfoVisibleToMembers), this), 0, 0, 1, 3);
    for (std::size_t i = 0; i < online::kPageFields; ++i) {
        const auto field = static_cast<online::PageField>(i);
        auto* edit = new QLineEdit(QString::fromStdString(cp1251ToUtf8(page.fields[i])), this);
        edit->setMaxLength(static_cast<int>(online::pageFieldMax(field)));
        grid->addWidget(new QLabel(word(pageFieldCaption(field)), this), static_cast<int>(i) + 1,
                        0);
        grid->addWidget(edit, static_cast<int>(i) + 1, 1);
        edits.push_back(edit);
    }
    photo_ = new QLabel(this);
    photo_->setFixedSize(100, 125);
    photo_->setFrameShape(QFrame::Box);
    grid->addWidget(photo_, 1, 2, 6, 1, Qt::AlignTop);
    ButtonPhoto = dialogButton(WordRow::RefreshPhoto, this);
    grid->addWidget(ButtonPhoto, 7, 2);
    ButtonUpdate = dialogButton(WordRow::UpdateInfo, this);
    ButtonClose = dialogButton(WordRow::CloseAccount, this);
    const int last = static_cast<int>(online::kPageFields) + 1;
    grid->addWidget(ButtonUpdate, last, 1, Qt::AlignLeft);
    grid->addWidget(ButtonClose, last, 2);
    connect(ButtonUpdate, &QPushButton::clicked, this, [this] { emit updateWanted(this->page()); });
    connect(ButtonPhoto, &QPushButton::clicked, this, &TFAcc2::askPhoto);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);
}

online::PersonalPage TFAcc2::page() const {
    online::PersonalPage p;
    for (std::size_t i = 0; i < edits.size(); ++i)
        p.fields[i] = online::pageValue(static_cast<online::PageField>(i),
                                        utf8ToCp1251(edits[i]->text().toStdString()));
    return p;
}

void TFAcc2::showPhoto(const QImage& photo) {
    hasPhoto_ = !photo.isNull();
    photo_->setPixmap(hasPhoto_
                          ? QPixmap::fromImage(photo.scaled(photo_->size(), Qt::KeepAspectRatio,
                                                            Qt::SmoothTransformation))
                          : QPixmap());
}

void TFAcc2::askPhoto() {
    auto* told = showMessage(this, word(WordRow::PhotoFormat));
    connect(told, &MessageWindow::closed, this, [this] {
        auto* box = new QFileDialog(this, word(WordRow::RefreshPhoto), QString(),
                                    QStringLiteral("JPEG (*.jpg *.jpeg)"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setFileMode(QFileDialog::ExistingFile);
        connect(box, &QFileDialog::fileSelected, this, &TFAcc2::photoFileChosen);
        box->open();
    });
}

void TFAcc2::photoFileChosen(const QString& path) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly) && file.size() <= qint64(online::kMaxPhotoBytes))
        bytes = file.readAll();
    if (!online::looksLikeJpeg(std::string_view(bytes.constData(), bytes.size()))) {
        showMessage(this, word(WordRow::PhotoFormat));
        return;
    }
    emit photoWanted(bytes);
}

}  // namespace orvala::dialogs
