// Results for people (aligned "name: value" lines) or for scripts (one JSON object).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace petrelctl {

class Output {
public:
    explicit Output(bool json) : json_(json) {}

    void Field(const std::string& name, const std::string& text);
    void Field(const std::string& name, long long number);
    // Starts a group of fields (a JSON object inside the result, a heading for people).
    void BeginGroup(const std::string& name);
    void EndGroup();

    // Reports a failed step; the result object gets "ok": false and an "error" member.
    int Fail(const std::string& step, int status);
    int FailWith(const std::string& step, const std::string& message);

    // Writes everything gathered; returns the exit status (0 unless a step failed).
    int Finish();

private:
    struct Entry {
        int depth;
        std::string name;
        std::string value;  // already JSON-encoded for the JSON form
        std::string text;   // for people
        enum Kind { kField, kBegin, kEnd } kind;
    };
    bool json_;
    int depth_ = 0;
    bool failed_ = false;
    std::string error_;
    std::vector<Entry> entries_;
};

std::string JsonQuote(const std::string& text);

}  // namespace petrelctl
