#pragma once

#include <QColor>

#include <vector>

// The \colortbl of an RTF document. Entries are built from \redN \greenN \blueN
// and stored at each ';'; an entry without components, like the customary first
// one, stands for the automatic colour.
class RtfColorTable {
public:
    void clear();
    void setRed(int value);
    void setGreen(int value);
    void setBlue(int value);
    void commitEntry();

    // The colour of \cfN or \cbN; invalid for "automatic" and unknown indices.
    QColor color(int index) const;

private:
    std::vector<QColor> m_colors;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
};
