// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Control names as the screens' layouts give them ("Text3", "Label18",
// "Text3(13)"), published to accessibility tools, captions as the buddies of
// their fields, and indexed control arrays.

#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

#include <QString>
#include <QWidget>

class QLabel;

namespace termiva {

// Sets the objectName and the accessible description (which Qt's
// accessibility bridge publishes, unlike objectName) to the control's
// layout name: "Text3", "Label18", "Text3(13)".
void NameControl(QWidget* control, const QString& name);

template <class T> T* Named(T* control, const QString& name) {
    NameControl(control, name);
    return control;
}

// A caption label for `field`, not yet placed: it is the field's buddy and the
// field's accessible name, which screen readers speak. Named `labelName` when
// one is given.
QLabel* MakeCaption(const QString& caption, QWidget* field, const QString& labelName = {});

// An indexed control array, read as Text3(r). Elements are created and owned
// by the screen's widget tree; the array only names and finds them.
template <class T> class ControlArray {
public:
    ControlArray(QString name, int first, int last)
        : name_(std::move(name)), first_(first),
          controls_(static_cast<std::size_t>(last - first + 1), nullptr) {}

    // Stores `control` as element `index` and names it "Name(index)".
    T* add(int index, T* control) {
        NameControl(control, QStringLiteral("%1(%2)").arg(name_).arg(index));
        slot(index) = control;
        return control;
    }

    T* operator()(int index) const { return const_cast<ControlArray*>(this)->slot(index); }

    int first() const { return first_; }
    int last() const { return first_ + static_cast<int>(controls_.size()) - 1; }

private:
    T*& slot(int index) {
        if (index < first() || index > last())
            throw std::out_of_range("control array index");
        return controls_[static_cast<std::size_t>(index - first_)];
    }

    QString name_;
    int first_;
    std::vector<T*> controls_;
};

} // namespace termiva
