#pragma once
// RadioGroup: a framed group of radio buttons answered by item index, as the options dialog's
// groups ("Modification", "Bolt", the radio list's source) need: -1 shows no item.

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <vector>

namespace orvala::dialogs {

class RadioGroup final : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& name, int items, QWidget* parent);

    void setCaptions(const QString& title, const QStringList& items);
    int itemIndex() const { return buttons_.checkedId(); }
    // Without a `clicked` signal; -1 clears the group.
    void setItemIndex(int item);
    void setItemEnabled(int item, bool enabled);
    QRadioButton* item(int i) const { return items_[static_cast<size_t>(i)]; }
    int count() const { return static_cast<int>(items_.size()); }

  signals:
    void clicked(int item);  // the user picked an item

  private:
    QButtonGroup buttons_;
    std::vector<QRadioButton*> items_;
};

}  // namespace orvala::dialogs
