// A SubjectBar without widgets: control texts in a map, radio state in one int.
#pragma once

#include <map>
#include <string>

#include "data/core/SubjectBarSync.h"

namespace krovel::testing {

class FakeSubjectBar : public SubjectBarFields {
public:
    std::map<int, std::string> texts;
    int checked = 0;

    std::string text(int id) const override {
        auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }
    void setText(int id, const std::string& t) override { texts[id] = t; }
    int checkedRadio(int, int) const override { return checked; }
    void checkRadio(int first, int last, int id) override {
        checked = (id >= first && id <= last) ? id : 0;
    }
};

} // namespace krovel::testing
