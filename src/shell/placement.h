#pragma once

// Controls placed at fixed pixel positions, as the editor windows lay them out, named so that
// tests and screen readers find them.

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

template <typename W>
W* place(W* widget, const char* name, int x, int y, int width, int height) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, width, height);
    return widget;
}

inline QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y,
                     int width, int height = 17) {
    return place(new QLabel(text, parent), name, x, y, width, height);
}

inline QPushButton* button(QWidget* parent, const char* name, const QString& text, int x, int y,
                           int width = 119, int height = 23) {
    return place(new QPushButton(text, parent), name, x, y, width, height);
}

// A frame reads as its own caption; without a name of its own, a frame inside another would
// read as the outer frame's caption.
inline QGroupBox* frame(QWidget* parent, const char* name, const QString& title, int x, int y,
                        int width, int height) {
    auto* box = place(new QGroupBox(title, parent), name, x, y, width, height);
    box->setAccessibleName(title);
    return box;
}

// Element `index` of an option array such as "Option1": Qt gives no two widgets one name with
// an index, so it is named "Option1_3" and carries the property "index" = 3.
inline QRadioButton* indexedOption(QWidget* parent, const QString& array, int index,
                                   const QString& caption) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(array + u'_' + QString::number(index));
    option->setProperty("index", index);
    return option;
}
