#include "commands/record_command.h"

#include <cstring>
#include <optional>

#include "camera/session.h"
#include "records/record_write.h"
#include "records/records.h"
#include "utf8_text.h"

namespace petrelctl {
namespace {

struct Assignment {
    const RecordPart* part;
    const FieldSpec* field;
    std::string bytes;
};

std::string FieldName(const RecordPart& part, const FieldSpec& field) {
    return part.prefix + field.name;
}

std::optional<Assignment> Parse(const RecordGroup& group, const std::string& argument,
                                Output& output) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) {
        output.Refuse("expected NAME=VALUE, not \"" + fields::Printable(argument) + "\"");
        return std::nullopt;
    }
    const std::string name = argument.substr(0, equals);
    const std::string value = argument.substr(equals + 1);
    for (const auto& part : group.parts) {
        for (const auto& field : part.fields) {
            if (FieldName(part, field) != name) continue;
            std::string problem = "cannot be changed";
            auto bytes = part.set ? EncodeField(field, value, problem) : std::nullopt;
            if (!bytes) {
                output.Refuse(fields::Printable(argument) + ": " + problem);
                return std::nullopt;
            }
            return Assignment{&part, &field, std::move(*bytes)};
        }
    }
    output.Refuse("unknown field " + fields::Printable(name));
    return std::nullopt;
}

std::vector<const FieldSpec*> Touched(const RecordPart& part,
                                      const std::vector<Assignment>& assignments) {
    std::vector<const FieldSpec*> fields;
    for (const auto& assignment : assignments) {
        if (assignment.part == &part) fields.push_back(assignment.field);
    }
    return fields;
}

void Show(Output& output, const Options& options, const RecordPart& part, const FieldSpec& field,
          const unsigned char* record) {
    const std::string name = FieldName(part, field);
    if (IsSecret(name) && !options.showSecrets) {
        output.Field(name, kHiddenSecret);
    } else {
        ShowField(output, name, field, record);
    }
}

std::optional<std::vector<Assignment>> ParseAll(const RecordGroup& group, const Options& options,
                                                Output& output) {
    std::vector<Assignment> assignments;
    for (const auto& argument : options.arguments) {
        auto assignment = Parse(group, argument, output);
        if (!assignment) return std::nullopt;
        assignments.push_back(std::move(*assignment));
    }
    return assignments;
}

}  // namespace

int ShowRecords(const RecordGroup& group, const Options& options, Output& output) {
    auto session = Session::OpenVerified(options, output, group.showAccess);
    if (!session) return 1;
    for (const auto& part : group.parts) {
        Buffer record(part.size);
        if (const int status = part.get(session->get(), record.data()); status != STATUS_OK) {
            return output.Fail(std::string("read ") + part.name, status);
        }
        for (const auto& field : part.fields) Show(output, options, part, field, record.data());
    }
    return 0;
}

int CheckChangeRecords(const RecordGroup& group, const Options& options, Output& output) {
    return ParseAll(group, options, output) ? 0 : 2;
}

int ChangeRecords(const RecordGroup& group, const Options& options, Output& output) {
    const auto parsed = ParseAll(group, options, output);
    if (!parsed) return 2;
    const std::vector<Assignment>& assignments = *parsed;
    auto session = Session::OpenVerified(options, output, Access::kAdministrator);
    if (!session) return 1;

    std::vector<Buffer> records;
    for (const auto& part : group.parts) {
        records.emplace_back(part.size);
        if (Touched(part, assignments).empty()) continue;
        if (const int status = part.get(session->get(), records.back().data());
            status != STATUS_OK) {
            return output.Fail(std::string("read ") + part.name, status);
        }
    }
    const std::vector<Buffer> before = records;
    for (const auto& assignment : assignments) {
        auto& record = records[static_cast<std::size_t>(assignment.part - group.parts.data())];
        std::memcpy(record.data() + assignment.field->offset, assignment.bytes.data(),
                    assignment.field->size);
    }
    for (std::size_t i = 0; i < group.parts.size(); ++i) {
        const RecordPart& part = group.parts[i];
        if (Touched(part, assignments).empty() || part.check == nullptr) continue;
        std::string problem;
        if (const int status = part.check(session->get(), records[i].data(), problem);
            status != STATUS_OK) {
            return output.Fail(std::string("check ") + part.name, status);
        }
        if (!problem.empty()) return output.Refuse(problem);
    }
    for (std::size_t i = 0; i < group.parts.size(); ++i) {
        const auto changed = Touched(group.parts[i], assignments);
        if (changed.empty()) continue;
        if (WriteChecked(session->get(), group.parts[i], before[i], records[i], changed, output) != 0)
            return 1;
    }
    for (const auto& assignment : assignments) {
        const auto& record =
            records[static_cast<std::size_t>(assignment.part - group.parts.data())];
        Show(output, options, *assignment.part, *assignment.field, record.data());
    }
    return 0;
}

}  // namespace petrelctl
