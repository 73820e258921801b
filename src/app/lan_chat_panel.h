#pragma once
// The LAN table's chat line: the last four lines, each in its sender's colour (1 maroon, 2 navy,
// 3 green, 4 olive), above an edit field of 15 characters and its send button. Enter or the
// button sends a non-empty text (`sent`) and clears the field. A line wider than the panel loses
// up to twelve characters at its end and then ends with "...".

#include <QWidget>
#include <vector>

#include "core/lan/chat_line.h"

class QLineEdit;
class QToolButton;

namespace orvala::app {

class LanChatPanel final : public QWidget {
    Q_OBJECT
  public:
    explicit LanChatPanel(QWidget* parent = nullptr);

    // The lines to show; only the last four are.
    void setLines(const std::vector<lan::ChatLine>& lines);
    // The field and the button take input only while a LAN game runs.
    void setActive(bool active);
    // The text a line shows in `width` pixels of the panel's font.
    static QString fitted(const QString& text, const QFontMetrics& metrics, int width);

    QLineEdit* Edit = nullptr;
    QToolButton* BitBtn1 = nullptr;  // the send button

  signals:
    void sent(const QString& text);

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

  private:
    void send();
    std::vector<lan::ChatLine> shown_;
};

}  // namespace orvala::app
