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
    // A field whose JSON form is given ready-made (an object, array or literal).
    void Value(const std::string& name, const std::string& json, const std::string& text);
    // Starts a group of fields (a JSON object inside the result, a heading for people).
    void BeginGroup(const std::string& name);
    void EndGroup();

    // Reports a failed step; the result object gets "ok": false and an "error" member.
    int Fail(const std::string& step, int status);
    int FailWith(const std::string& step, const std::string& message);
    // Reports input that was refused before anything was sent; exit status 2.
    int Refuse(const std::string& message);

    // The command writes its results itself as they come (a line per camera): Finish
    // then writes only a failure.
    void Streamed() { streamed_ = true; }

    // Writes everything gathered; returns the exit status (0 unless a step failed or
    // the input was refused).
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
    int exitStatus_ = 0;
    bool streamed_ = false;
    std::string error_;
    std::vector<Entry> entries_;
};

std::string JsonQuote(const std::string& text);

}  // namespace petrelctl
