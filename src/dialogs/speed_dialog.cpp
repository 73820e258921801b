#include "dialogs/speed_dialog.h"

#include <QLabel>
#include <QSlider>
#include <algorithm>

namespace orvala::dialogs {

TFormSpeed::TFormSpeed(Settings& settings, QWidget* parent)
    : AuxDialog(word(WordRow::ChoiceOfSpeed), parent), settings_(settings) {
    setObjectName("TFormSpeed");
    setFixedSize(300, 150);
    auto* text = new QLabel(word(WordRow::SelectFlightSpeed), this);
    text->setGeometry(20, 12, 260, 22);
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setRange(1, 6);
    TrackBar1->setPageStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    TrackBar1->setGeometry(20, 38, 260, 26);
    TrackBar1->setValue(std::clamp(settings_.Speed, 1, 6));
    // The labels "1" .. "6" under the ticks.
    for (int v = 1; v <= 6; ++v) {
        auto* l = new QLabel(QString::number(v), this);
        l->setAlignment(Qt::AlignHCenter);
        l->setGeometry(20 + (v - 1) * 260 / 5 - 10 + (v == 1 ? 6 : v == 6 ? -6 : 0), 64, 20, 18);
    }
    connect(TrackBar1, &QSlider::valueChanged, this, [this](int v) {
        settings_.Speed = v;
        emit changed(v);
    });
    Button1 = dialogButton(WordRow::Ok, this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(100, 100, 100, 30);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace orvala::dialogs
