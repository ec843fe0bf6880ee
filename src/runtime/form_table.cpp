#include "runtime/form_table.h"

#include <algorithm>

#include "runtime/form.h"

namespace kv {

FormTable::~FormTable() { closeAll(); }

Form& FormTable::adopt(std::unique_ptr<Form> f) {
    f->serial_ = ++serial_;
    loaded_.push_back(std::move(f));
    return *loaded_.back();
}

void FormTable::show(Form& f) {
    hide(f);
    shown_.push_back(&f);
}

void FormTable::hide(Form& f) {
    auto it = std::find(shown_.begin(), shown_.end(), &f);
    if (it != shown_.end()) shown_.erase(it);
}

void FormTable::bury(Form& f) {
    auto it = std::find_if(loaded_.begin(), loaded_.end(), [&](const auto& p) { return p.get() == &f; });
    if (it == loaded_.end()) return;
    hide(f);
    buried_.push_back(std::move(*it));
    loaded_.erase(it);
}

bool FormTable::isLoaded(const Form* f) const {
    return std::any_of(loaded_.begin(), loaded_.end(), [&](const auto& p) { return p.get() == f; });
}

bool FormTable::isShown(const Form* f) const { return std::find(shown_.begin(), shown_.end(), f) != shown_.end(); }

std::size_t FormTable::firstSeen() const {
    const Rect whole{0, 0, 800, 600};
    for (std::size_t i = shown_.size(); i-- > 0;) {
        const Form* f = shown_[i];
        if (f->frame == FormFrame::None && f->clientRect().intersect(whole) == whole) return i;
    }
    return 0;
}

bool FormTable::onlyResidentLeft() const {
    return std::all_of(loaded_.begin(), loaded_.end(), [](const auto& f) { return f->resident; });
}

void FormTable::closeAll() {
    shown_.clear();
    buried_.clear();
    while (!loaded_.empty()) loaded_.pop_back();
}

}  // namespace kv
