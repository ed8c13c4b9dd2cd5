#pragma once
#include <QImage>
#include <QWidget>
#include <cstddef>
#include <iterator>
#include <memory>
#include <span>
#include <vector>

#include "properties.h"

namespace engine {

// One control of a live form: its design, its current properties, its decoded picture, a label's
// caption laid out, and the child widget of a windowed control.
struct LiveControl {
    const ControlDesign* design = nullptr;
    ControlProperties props;
    QImage picture;
    QString description;         // what a picture shows, for screen readers
    std::vector<QString> lines;  // a label's caption in lines, laid out wherever it is set
    QWidget* widget = nullptr;
};

// The controls of a live form, as many as its design has. The array is made once and never grows,
// shrinks or moves, so the client area and the accessible interfaces may keep references into it
// for the form's life.
class LiveControls {
public:
    explicit LiveControls(std::size_t count)
        : items_(std::make_unique<LiveControl[]>(count)), count_(count) {}
    LiveControls(const LiveControls&) = delete;
    LiveControls& operator=(const LiveControls&) = delete;

    std::span<LiveControl> all() { return {items_.get(), count_}; }
    std::span<const LiveControl> all() const { return {items_.get(), count_}; }
    LiveControl* begin() { return items_.get(); }
    LiveControl* end() { return items_.get() + count_; }
    const LiveControl* begin() const { return items_.get(); }
    const LiveControl* end() const { return items_.get() + count_; }

    // Last listed first: the order to paint or raise in so that the first listed ends on top.
    struct Backwards {
        std::reverse_iterator<const LiveControl*> first, last;
        auto begin() const { return first; }
        auto end() const { return last; }
    };
    Backwards backwards() const {
        return {std::make_reverse_iterator(end()), std::make_reverse_iterator(begin())};
    }

private:
    const std::unique_ptr<LiveControl[]> items_;
    const std::size_t count_;
};

inline bool isWindowed(ControlKind kind) {
    return kind == ControlKind::CommandButton || kind == ControlKind::CheckBox;
}

}  // namespace engine
