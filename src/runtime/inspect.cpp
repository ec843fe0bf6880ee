// The JSON state dump, generated from the live forms.
#include <iostream>

#include <nlohmann/json.hpp>

#include "runtime/file_io.h"
#include "runtime/printable.h"
#include "runtime/runtime.h"

namespace kv {

void Runtime::describe(nlohmann::json& out) const {
    out = nlohmann::json::object();
    out["time_ms"] = now_;
    nlohmann::json forms = nlohmann::json::array();
    for (const Form* f : zorder_) forms.push_back(f->name());
    out["forms"] = forms;
    out["active"] = zorder_.empty() ? nlohmann::json(nullptr) : nlohmann::json(zorder_.back()->name());
    out["shared"] = nlohmann::json::object();
    nlohmann::json all = nlohmann::json::object();
    for (const auto& f : forms_) {
        nlohmann::json fj;
        f->describe(fj);
        all[f->name()] = std::move(fj);
    }
    out["form"] = std::move(all);
    if (box_) {
        out["box"] = {{"kind", box_->kind}, {"title", box_->title}, {"text", box_->text}};
        if (box_->kind == "input") out["box"]["answer"] = box_->input;
        if (box_->files) out["box"]["answer"] = box_->files->name();
    } else {
        out["box"] = nullptr;
    }
    nlohmann::json msgs = nlohmann::json::array();
    for (const auto& m : messages_)
        msgs.push_back({{"time_ms", m.time}, {"kind", m.kind}, {"title", m.title}, {"text", m.text}, {"answer", m.answer}});
    out["messages"] = std::move(msgs);
    out["sounds"] = nlohmann::json::array();
    out["music"] = nlohmann::json::array();
    for (const auto& hook : dumpHooks) hook(out);
}

void Runtime::writeDump(const std::string& file) const {
    nlohmann::json j;
    describe(j);
    // Invalid UTF-8 (a name typed byte by byte, say) is replaced, never fatal.
    std::string text = j.dump(file == "-" ? -1 : 2, ' ', false, nlohmann::json::error_handler_t::replace);
    if (file == "-") {
        std::cout << text << std::endl;
        // A controller at the other end of the pipe may have gone away.
        if (!std::cout) throw FatalError("Cannot write the state dump to standard output");
        return;
    }
    std::string err;
    if (!writeFileSafely(file, text + '\n', err))
        throw FatalError("Cannot write the state dump " + printable(file) + ": " + err);
}

}  // namespace kv
