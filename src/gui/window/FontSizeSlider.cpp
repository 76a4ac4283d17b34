#include "gui/window/FontSizeSlider.h"

#include "foundation/prefs/Preferences.h"
#include "planning/DisplayPreferences.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

FontSizeSlider::FontSizeSlider(QWidget* parent)
    : QWidget(parent)
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_size(new QLabel(this))
{
    m_slider->setObjectName(QStringLiteral("fixedFontSizeSlider"));
    m_slider->setRange(smallestSize, largestSize);
    m_slider->setPageStep(2);
    m_slider->setFixedWidth(110);
    m_slider->setAccessibleName(tr("Font Size"));
    m_slider->setAccessibleDescription(tr("The size of lesson text when Use Fixed Font Size is on"));
    m_slider->setToolTip(tr("Font size of lesson text (View ▸ Use Fixed Font Size)"));
    // Wide enough for "32 pt", so the toolbar does not shift as the size changes.
    m_size->setMinimumWidth(m_size->fontMetrics().horizontalAdvance(QStringLiteral("00 pt")));
    auto* label = new QLabel(tr("Font Size"), this);
    label->setBuddy(m_slider);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 0, 6, 0);
    row->addWidget(label);
    row->addWidget(m_slider);
    row->addWidget(m_size);
    connect(m_slider, &QSlider::valueChanged, this, &FontSizeSlider::sizeChosen);
    updateFromPreferences(false);
}

void FontSizeSlider::updateFromPreferences(bool planningShown)
{
    const Preferences& preferences = Preferences::shared();
    const int size = int(std::lround(preferences.doubleValue(DisplayPreferences::fixedFontSize)));
    const QSignalBlocker quiet(m_slider);
    m_slider->setValue(size);
    showSize(m_slider->value());
    setEnabled(planningShown && preferences.boolValue(DisplayPreferences::useFixedFontSize));
}

void FontSizeSlider::sizeChosen(int size)
{
    showSize(size);
    DisplayPreferences::setFixedFontSize(size);
}

void FontSizeSlider::showSize(int size)
{
    m_size->setText(tr("%1 pt").arg(size));
}
