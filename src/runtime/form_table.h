#pragma once
// The loaded forms, the order they stand in on the screen, and those unloaded
// while a handler of theirs may still be on the stack (destroyed once the
// dispatcher has returned).
#include <cstdint>
#include <memory>
#include <vector>

namespace kv {

class Form;

class FormTable {
public:
    FormTable() = default;
    FormTable(const FormTable&) = delete;
    FormTable& operator=(const FormTable&) = delete;
    ~FormTable();

    // Takes a new form in and gives it its serial.
    Form& adopt(std::unique_ptr<Form> f);
    void show(Form& f);                     // to the top
    void hide(Form& f);
    // Out of the table; the form itself lives on until destroyBuried().
    void bury(Form& f);
    void destroyBuried() { buried_.clear(); }
    bool isLoaded(const Form* f) const;
    bool isShown(const Form* f) const;
    // The loaded form of that type, or null.
    template <class T>
    T* find() const {
        for (const auto& f : loaded_)
            if (auto* t = dynamic_cast<T*>(f.get())) return t;
        return nullptr;
    }
    const std::vector<Form*>& visible() const { return shown_; }   // bottom to top
    const std::vector<std::unique_ptr<Form>>& loaded() const { return loaded_; }
    Form* top() const { return shown_.empty() ? nullptr : shown_.back(); }
    // The first visible form that can be seen: those under one that covers
    // the whole frame are not.
    std::size_t firstSeen() const;
    // Nothing left but windows that stay for the whole run (a tool panel).
    bool onlyResidentLeft() const;
    // Destroys every form at once, without their unload events, last loaded
    // first: the end of the program, while what the forms refer to still exists.
    void closeAll();

private:
    std::vector<std::unique_ptr<Form>> loaded_;
    std::vector<std::unique_ptr<Form>> buried_;
    std::vector<Form*> shown_;
    std::uint64_t serial_ = 0;
};

}  // namespace kv
