#include "dialogs/chat_dialog.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QVBoxLayout>

#include "core/online/chat_pictures.h"
#include "core/online/flag_names.h"
#include "core/text/cp1251.h"
#include "dialogs/message_window.h"
#include "table/picture_store.h"

namespace orvala::dialogs {
namespace {

constexpr int kPlaces = 10;
constexpr int kRowHeight = 38;
const QColor kNavy(0, 0, 128);

QString fromCp1251(const std::string& bytes) {
    return QString::fromStdString(cp1251ToUtf8(bytes));
}

QImage art(const std::string& name) {
    static const table::BuiltInPictures pictures;
    return pictures.picture(QString::fromStdString(name));
}

}  // namespace

// The ten places, drawn in one widget.
class ChatList final : public QWidget {
  public:
    explicit ChatList(QWidget* parent) : QWidget(parent) {
        setMinimumSize(560, kPlaces * kRowHeight);
    }

    void set(bool ok, std::vector<online::RecordRow> rows, std::int64_t lastSeen, bool bottom) {
        ok_ = ok;
        rows_ = std::move(rows);
        if (rows_.size() > kPlaces) rows_.resize(kPlaces);
        lastSeen_ = lastSeen;
        bottom_ = bottom;
        update();
    }
    void setBottom(bool bottom) {
        bottom_ = bottom;
        update();
    }

    // The message in place 0..9, or null.
    const online::RecordRow* at(int place) const {
        const int k = bottom_ ? kPlaces - 1 - place : place;
        return k < int(rows_.size()) ? &rows_[static_cast<std::size_t>(k)] : nullptr;
    }
    bool ok() const { return ok_; }
    bool isNew(const online::RecordRow& r) const { return r.Score > lastSeen_; }

    static QString heading(const online::RecordRow& r) {
        return QString::number(r.Score) + ". " + fromCp1251(r.Nick) + " " + fromCp1251(r.City) +
               " " + fromCp1251(online::chatShown(r.R09));
    }
    static QString text(const online::RecordRow& r) {
        return fromCp1251(online::chatShown(r.R10 == "#*" ? "" : r.R10));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (!ok_) {
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("No Connect"));
            return;
        }
        const QFontMetrics fm(font());
        for (int place = 0; place < kPlaces; ++place) {
            const online::RecordRow* r = at(place);
            if (!r) continue;
            const int top = place * kRowHeight;
            int x = 4;
            if (isNew(*r)) p.drawImage(QPoint(x, top + 2), art(chat_art::kNewMark));
            x += 34;
            const QString number = QString::number(r->Score) + ".";
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(QRect(x, top, 46, 18), Qt::AlignLeft | Qt::AlignVCenter, number);
            x += 48;
            p.drawImage(QRect(x, top + 1, chat_art::kFlagWidth, chat_art::kFlagHeight),
                        art(online::flagPictureName(r->Country)));
            x += chat_art::kFlagWidth + 4;
            p.drawImage(QRect(x, top + 1, chat_art::kFaceSize, chat_art::kFaceSize),
                        art(online::facePictureName(r->R07)));
            x += 20;
            const QString who = fromCp1251(r->Nick) + "  " + fromCp1251(r->City) + "  " +
                                fromCp1251(online::chatShown(r->R09));
            p.drawText(QRect(x, top, width() - x, 18), Qt::AlignLeft | Qt::AlignVCenter,
                       fm.elidedText(who, Qt::ElideRight, width() - x));
            p.setPen(kNavy);
            p.drawText(QRect(38, top + 18, width() - 42, 18), Qt::AlignLeft | Qt::AlignVCenter,
                       fm.elidedText(text(*r), Qt::ElideRight, width() - 42));
        }
    }

  private:
    bool ok_ = true;
    std::vector<online::RecordRow> rows_;
    std::int64_t lastSeen_ = 0;
    bool bottom_ = false;
};

TFormChat::TFormChat(const ChatQuestion& question, QWidget* parent)
    : AuxDialog(word(WordRow::ZorGamesChat), parent), question_(question) {
    setObjectName("TFormChat");
    if (!question_.clock) question_.clock = [] { return QDateTime::currentSecsSinceEpoch(); };
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 14, 16, 14);
    list_ = new ChatList(this);
    list_->set(true, {}, question_.file.lastSeen, question_.file.bottom);
    column->addWidget(list_);

    auto* line = new QHBoxLayout;
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(int(online::kChatTextMax));
    BitBtn1 = dialogButton(WordRow::Send, this);
    BitBtn1->setObjectName("BitBtn1");
    line->addWidget(Edit1, 1);
    line->addWidget(BitBtn1);
    column->addLayout(line);

    CheckBox1 = new QCheckBox(word(WordRow::LastMessageAtBottom), this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(question_.file.bottom);
    CheckBox2 = new QCheckBox(word(WordRow::OpenWindowOnNewMessage), this);
    CheckBox2->setObjectName("CheckBox2");
    CheckBox2->setChecked(question_.file.openOnNew);
    column->addWidget(CheckBox1);
    column->addWidget(CheckBox2);

    auto* buttons = new QHBoxLayout;
    Button1 = dialogButton(WordRow::Passport, this);
    Button1->setObjectName("Button1");
    Button1->setEnabled(question_.passport);
    Button2 = dialogButton(WordRow::Close, this);
    Button2->setObjectName("Button2");
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    column->addLayout(buttons);

    connect(Edit1, &QLineEdit::returnPressed, this, &TFormChat::send);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormChat::send);
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
        list_->setBottom(on);
        emit optionsChanged(on, CheckBox2->isChecked());
    });
    connect(CheckBox2, &QCheckBox::toggled, this,
            [this](bool on) { emit optionsChanged(CheckBox1->isChecked(), on); });
    connect(Button1, &QPushButton::clicked, this, &TFormChat::passportAsked);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
    Timer1.setInterval(kSendTimerMs);
    connect(&Timer1, &QTimer::timeout, this, &TFormChat::sendTimerTick);
    Timer1.start();
    setSendOpen(online::passportAllowsPosting(question_.nick, question_.city));
}

std::int64_t TFormChat::now() const {
    return question_.clock();
}

void TFormChat::showMessages(bool ok, const std::vector<online::RecordRow>& rows,
                             std::int64_t lastSeen) {
    list_->set(ok, rows, lastSeen, CheckBox1->isChecked());
}

void TFormChat::setPassport(const std::string& nick, const std::string& city) {
    question_.nick = nick;
    question_.city = city;
}

void TFormChat::setSendOpen(bool open) {
    Edit1->setEnabled(open);
    BitBtn1->setVisible(open);
}

bool TFormChat::sendOpen() const {
    return Edit1->isEnabled() && !BitBtn1->isHidden();
}

void TFormChat::sendTimerTick() {
    if (sending_) return;
    setSendOpen(gate_.open(now()) && online::passportAllowsPosting(question_.nick, question_.city));
}

void TFormChat::send() {
    if (sending_ || !sendOpen() || !gate_.open(now()) ||
        !online::passportAllowsPosting(question_.nick, question_.city))
        return;
    const std::string text = utf8ToCp1251(Edit1->text().toStdString());
    if (text.empty()) return;
    sending_ = true;
    emit postWanted(text);
}

void TFormChat::posted(bool ok) {
    sending_ = false;
    if (!ok) {
        showMessage(this, word(WordRow::UnableToSendMessage));
        return;
    }
    gate_.sent(now());
    Edit1->clear();
    setSendOpen(false);
    Timer1.start();  // the next tick comes when the 15 seconds are over
}

QStringList TFormChat::shownRows() const {
    if (!list_->ok()) return {QStringLiteral("No Connect")};
    QStringList out;
    for (int place = 0; place < kPlaces; ++place) {
        const online::RecordRow* r = list_->at(place);
        out << (r ? (list_->isNew(*r) ? "new " : "") + ChatList::heading(*r) + ": " +
                        ChatList::text(*r)
                  : QString());
    }
    return out;
}

}  // namespace orvala::dialogs
