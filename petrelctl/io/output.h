// Results for people ("name: value" lines) or for scripts (one JSON object whose keys
// are the names in camelCase: "bar code" is "barCode").
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

    // Reports a failed step; the result object gets "ok": false and an "error" object
    // {"code", "message"}: the status name, or `code` when the failure is not a status.
    int Fail(const std::string& step, int status);
    int FailWith(const std::string& step, const std::string& message,
                 const std::string& code = "FAILED");
    // Reports input that was refused before anything was sent; exit status 2.
    int Refuse(const std::string& message, const std::string& code = "REFUSED");

    // The command writes its results itself as they come (a line per camera): Finish
    // then writes only a failure.
    void Streamed() { streamed_ = true; }

    // Writes everything gathered; returns the exit status (0 unless a step failed or
    // the input was refused).
    int Finish();

    // The code of the failure or refusal reported ("STATUS_NOT_VERIFIED", "NOT_KEPT"), or
    // "" when none was.
    const std::string& Code() const { return errorCode_; }

private:
    struct Entry {
        std::string name;
        std::string value;  // already JSON-encoded for the JSON form
        std::string text;   // for people
    };
    bool json_;
    int exitStatus_ = 0;
    bool streamed_ = false;
    std::string error_, errorCode_;
    std::vector<Entry> entries_;
};

std::string JsonQuote(const std::string& text);

// "bar code" as a JSON key: "barCode". Names without spaces stay as they are.
std::string JsonKey(const std::string& name);

}  // namespace petrelctl
