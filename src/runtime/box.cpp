#include "runtime/box.h"

namespace kv {

std::vector<std::string> Box::buttonNames() const {
    switch (buttons) {
        case BoxButtons::OK: return {"OK"};
        case BoxButtons::YesNo: return {"Yes", "No"};
        case BoxButtons::OKCancel: return {"OK", "Cancel"};
    }
    return {"OK"};
}

BoxAnswer Box::answerFor(const std::string& name) const {
    for (const auto& b : buttonNames()) {
        if (b != name) continue;
        if (name == "OK") return BoxAnswer::OK;
        if (name == "Cancel") return BoxAnswer::Cancel;
        if (name == "Yes") return BoxAnswer::Yes;
        if (name == "No") return BoxAnswer::No;
    }
    return BoxAnswer::None;
}

const char* answerName(BoxAnswer a) {
    switch (a) {
        case BoxAnswer::OK: return "OK";
        case BoxAnswer::Cancel: return "Cancel";
        case BoxAnswer::Yes: return "Yes";
        case BoxAnswer::No: return "No";
        case BoxAnswer::None: break;
    }
    return "";
}

}  // namespace kv
