#pragma once
// The main menu's picture keys at its top left: the title's colour (each press turns the title to
// the next of its seven colours, kept in the settings' TitleColour) and the two web links, to the
// club's page and to its page about Zors, both at the address of the service the web client uses.

#include <QUrl>
#include <functional>
#include <string>

#include "core/settings/settings.h"
#include "table/table_geometry.h"

class QToolButton;
class QWidget;

namespace orvala::app {

class MenuKeys {
  public:
    // `titleChanged` draws the title again after its colour changed.
    MenuKeys(QWidget* window, Settings& settings, std::function<void()> titleChanged);

    QToolButton* TitleColour = nullptr;
    QToolButton* LinkSite = nullptr;
    QToolButton* LinkZors = nullptr;

    // The service's root address ("http://host:port"), asked when a link is pressed.
    void setServiceRoot(std::function<std::string()> root) { root_ = std::move(root); }
    // Tests put their own in place of the browser.
    void setUrlOpener(std::function<void(const QUrl&)> open) { open_ = std::move(open); }
    QUrl siteUrl() const;
    QUrl zorsUrl() const;

    void applyLanguage();
    void layout(const table::Scales& scales);
    void show();
    void hide();

  private:
    Settings& settings_;
    std::function<void()> titleChanged_;
    std::function<std::string()> root_;
    std::function<void(const QUrl&)> open_;
};

}  // namespace orvala::app
