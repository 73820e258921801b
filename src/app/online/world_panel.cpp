#include "app/online/world_panel.h"

#include <QEvent>
#include <QFontMetrics>
#include <memory>

#include "core/text/cp1251.h"
#include "table/word_text.h"

namespace orvala::app {

WorldPanel::WorldPanel(QWidget* window) : QObject(window), label_(new QLabel(window)) {
    label_->setObjectName("WorldPanel");
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignCenter);
    QPalette p = label_->palette();
    p.setColor(QPalette::WindowText, QColor(236, 204, 110));
    label_->setPalette(p);
    label_->setCursor(Qt::PointingHandCursor);
    label_->installEventFilter(this);
    label_->hide();
}

bool WorldPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == label_ && event->type() == QEvent::MouseButtonRelease) emit clicked();
    return QObject::eventFilter(watched, event);
}

void WorldPanel::refresh(net::OnlineClient& client, const std::optional<online::Account>& account) {
    const int generation = ++generation_;
    auto facts = std::make_shared<online::WorldFacts>();
    facts->loggedIn = account.has_value();
    pending_ = 5 + (account ? 1 : 0);
    const auto answered = [this, facts, generation] {
        if (generation != generation_) return;
        if (--pending_ > 0) return;
        hints_ = online::worldHints(*facts);
        shown_ = 0;
        applyLanguage();
        emit refreshed();
    };
    client.post(
        online::statisticsRequest(),
        [facts, answered](bool ok, const std::string& reply) {
            if (ok) facts->statistics = online::readStatistics(reply);
            answered();
        },
        this);
    const std::pair<int, std::optional<std::string> online::WorldFacts::*> tables[] = {
        {online::kWindowsTable, &online::WorldFacts::bestWindows},
        {online::kMobileTable, &online::WorldFacts::bestMobile},
        {online::kAccountTable, &online::WorldFacts::bestAccount}};
    for (const auto& [gid, best] : tables)
        client.post(
            online::recordListRequest(gid),
            [facts, answered, gid, best](bool ok, const std::string& reply) {
                if (ok) {
                    const auto rows = online::readRecordList(reply, gid);
                    // The panel's texts are UTF-8; the service's are Windows-1251.
                    (*facts).*best =
                        rows.empty() ? std::string("#") : cp1251ToUtf8(rows.front().Nick);
                }
                answered();
            },
            this);
    client.post(
        online::memberCountRequest(),
        [facts, answered](bool ok, const std::string& reply) {
            if (ok) facts->members = online::readNumberReply(reply);
            answered();
        },
        this);
    if (account)
        client.post(
            online::readBalanceRequest(account->Nick),
            [facts, answered](bool ok, const std::string& reply) {
                if (ok) facts->balance = online::readBalanceReply(reply);
                answered();
            },
            this);
}

QStringList WorldPanel::hints() const {
    QStringList out;
    const std::string suffix = table::word(WordRow::NoConnectSuffix).toStdString();
    for (const online::WorldHint& h : hints_)
        out << QString::fromStdString(
            online::hintText(table::word(h.caption).toStdString(), h, suffix));
    return out;
}

void WorldPanel::next() {
    if (hints_.empty()) return;
    shown_ = (shown_ + 1) % hints_.size();
    applyLanguage();
}

void WorldPanel::applyLanguage() {
    const QStringList all = hints();
    label_->setText(shown_ < static_cast<std::size_t>(all.size()) ? all[static_cast<int>(shown_)]
                                                                  : QString());
    fit();
}

void WorldPanel::setGeometry(const QRect& r) {
    label_->setGeometry(r);
    fit();
}

// A hint longer than the panel is never cut: the font gets smaller until the line fits, and
// below two thirds of its size the hint breaks into two lines, each at the largest size that
// lets the two fit the panel's height.
void WorldPanel::fit() {
    const QRect box = label_->contentsRect();
    const QString text = label_->text();
    QFont f = label_->font();
    f.setBold(true);
    const int full = std::max(9, box.height() * 3 / 5);
    const int oneLineFloor = std::max(8, full * 2 / 3);
    bool wrap = false;
    int size = full;
    for (; size > 6; --size) {
        f.setPixelSize(size);
        const QFontMetrics m(f);
        if (m.horizontalAdvance(text) <= box.width()) break;
        if (size > oneLineFloor) continue;
        const QRect two = m.boundingRect(QRect(0, 0, box.width(), 10000),
                                         Qt::AlignCenter | Qt::TextWordWrap, text);
        if (two.width() <= box.width() && two.height() <= box.height()) {
            wrap = true;
            break;
        }
    }
    f.setPixelSize(std::max(size, 6));
    label_->setWordWrap(wrap);
    label_->setFont(f);
}

void WorldPanel::show() {
    label_->show();
}

void WorldPanel::hide() {
    label_->hide();
}

}  // namespace orvala::app
