#include "io/json_document.h"

#include <stdexcept>
#include <unordered_set>
#include <vector>

namespace petrelctl {
namespace {

// Far more than any profile holds; an ordered object finds its members one by one, so
// a bound keeps a hostile document from taking quadratic time.
constexpr std::size_t kMaxMembers = 1024;
constexpr int kMaxDepth = 32;

struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Watches the parse: the names of each open object, to refuse one given twice.
class Checker {
public:
    bool operator()(int depth, nlohmann::json::parse_event_t event, Json& parsed) {
        using Event = nlohmann::json::parse_event_t;
        if (depth > kMaxDepth)
            throw Refusal("nested more than " + std::to_string(kMaxDepth) + " deep");
        if (event == Event::object_start) names_.emplace_back();
        if (event == Event::object_end) names_.pop_back();
        if (event == Event::key) {
            const auto& name = parsed.get_ref<const std::string&>();
            if (!names_.back().insert(name).second)
                throw Refusal("\"" + name + "\" is given twice");
            if (names_.back().size() > kMaxMembers)
                throw Refusal("an object with more than " + std::to_string(kMaxMembers) +
                              " members");
        }
        return true;
    }

private:
    std::vector<std::unordered_set<std::string>> names_;
};

// "[json.exception.parse_error.101] parse error at line 1, column 2: ..." without the
// library's own prefix.
std::string Plain(const std::string& message) {
    const auto end = message.find("] ");
    return message.starts_with("[json.exception.") && end != std::string::npos
               ? message.substr(end + 2)
               : message;
}

}  // namespace

std::optional<Json> ParseDocument(const std::string& text, std::string& problem) {
    try {
        Checker checker;
        return Json::parse(text, [&](int depth, nlohmann::json::parse_event_t event, Json& parsed) {
            return checker(depth, event, parsed);
        });
    } catch (const Refusal& refusal) {
        problem = refusal.what();
    } catch (const Json::exception& error) {
        problem = Plain(error.what());
    }
    return std::nullopt;
}

}  // namespace petrelctl
