#pragma once

#include <QWidget>

class QLabel;
class QSlider;

// The toolbar's slider for the fixed font size of lesson text. Moving it
// stores the size in the user's preferences at once, and every planning view
// redraws with it while the slider moves. It does something only while the
// fixed size is in use, so it is enabled only then.
class FontSizeSlider : public QWidget {
public:
    // The sizes a lesson's text can be shown at, in points.
    static constexpr int smallestSize = 8;
    static constexpr int largestSize = 32;

    explicit FontSizeSlider(QWidget* parent = nullptr);

    // Shows the stored size (another window may have moved it) and enables
    // the slider when the fixed size is in use.
    void updateFromPreferences(bool planningShown);

    QSlider* slider() const { return m_slider; }

private:
    void sizeChosen(int size);
    void showSize(int size);

    QSlider* m_slider;
    QLabel* m_size;
};
