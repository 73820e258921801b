#pragma once
// The main menu's world panel: one line under the title that shows, in turn, what the service
// says of the world (core/online/world_hints.h). `refresh` reads it all again through the client
// and `next` turns to the following hint; the window turns it on the calendar's ten-second beat.
// A click on it opens the world top ten.

#include <QLabel>
#include <optional>

#include "core/online/world_hints.h"
#include "net/online_client.h"

namespace orvala::app {

class WorldPanel final : public QObject {
    Q_OBJECT
  public:
    explicit WorldPanel(QWidget* window);

    // Reads the counters, the three tables' best rows, the member count and, for a logged-in
    // account, its balance; the hints change once every read has answered.
    void refresh(net::OnlineClient& client, const std::optional<online::Account>& account);
    void next();
    // The hint shown again in the current language.
    void applyLanguage();
    void setGeometry(const QRect& r);
    void show();
    void hide();

    QString text() const { return label_->text(); }
    QLabel* label() const { return label_; }
    // Every hint as it would be shown, in turn.
    QStringList hints() const;
    // Reads still under way.
    int pending() const { return pending_; }

  signals:
    void refreshed();
    // A click on the panel: the world top ten.
    void clicked();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fit();

    QLabel* label_;
    std::vector<online::WorldHint> hints_;
    std::size_t shown_ = 0;
    int pending_ = 0;
    int generation_ = 0;  // an older refresh's answers are dropped
};

}  // namespace orvala::app
