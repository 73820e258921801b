#pragma once
// The options dialog from the menu's "Options", the speed dialog from the dialog or the
// right-button menu's "Speed", and the downloads of missing libraries the dialog asks for. Every
// change of a dialog goes to the window at once (`Shell::optionChanged`).

#include <QPointer>
#include <functional>
#include <memory>

#include "app/feature.h"

namespace orvala::dialogs {
class TFormOptions;
}

namespace orvala::net {
class LibraryDownload;
}

namespace orvala::app {

class Shell;

class OptionsFeature final : public Feature {
  public:
    explicit OptionsFeature(Shell& shell);
    ~OptionsFeature() override;

    // The options dialog; one at a time.
    void ShowOptions();
    void ShowSpeed();
    // The library file's download into the folder above the program folder; done() is told
    // whether it came whole. One at a time: another asked meanwhile is not started.
    void DownloadLibrary(const QString& file, std::function<void(bool)> done = {});
    bool downloading() const { return download_ != nullptr; }
    dialogs::TFormOptions* dialog() const;

    void contextMenu(ContextMenu& menu) override;
    void optionChanged(dialogs::OptionChange what) override;

  private:
    Shell& shell_;
    QPointer<dialogs::TFormOptions> options_dialog_;
    std::unique_ptr<net::LibraryDownload> download_;
};

}  // namespace orvala::app
