#include "record_command.h"

#include <cstring>
#include <optional>

#include "session.h"

namespace petrelctl {
namespace {

struct Assignment {
    const RecordPart* part;
    const FieldSpec* field;
    std::string bytes;
};

using Buffer = std::vector<unsigned char>;

std::string FieldName(const RecordPart& part, const FieldSpec& field) {
    return part.prefix + field.name;
}

std::optional<Assignment> Parse(const RecordGroup& group, const std::string& argument,
                                Output& output) {
    const auto equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) {
        output.Refuse("expected NAME=VALUE, not \"" + argument + "\"");
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
                output.Refuse(argument + ": " + problem);
                return std::nullopt;
            }
            return Assignment{&part, &field, std::move(*bytes)};
        }
    }
    output.Refuse("unknown field " + name);
    return std::nullopt;
}

bool Touched(const RecordPart& part, const std::vector<Assignment>& assignments) {
    for (const auto& assignment : assignments) {
        if (assignment.part == &part) return true;
    }
    return false;
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
        for (const auto& field : part.fields)
            ShowField(output, FieldName(part, field), field, record.data());
    }
    return 0;
}

int ChangeRecords(const RecordGroup& group, const Options& options, Output& output) {
    std::vector<Assignment> assignments;
    for (const auto& argument : options.arguments) {
        auto assignment = Parse(group, argument, output);
        if (!assignment) return 2;
        assignments.push_back(std::move(*assignment));
    }
    auto session = Session::OpenVerified(options, output, Access::kAdministrator);
    if (!session) return 1;

    std::vector<Buffer> records;
    for (const auto& part : group.parts) {
        records.emplace_back(part.size);
        if (!Touched(part, assignments)) continue;
        if (const int status = part.get(session->get(), records.back().data());
            status != STATUS_OK) {
            return output.Fail(std::string("read ") + part.name, status);
        }
    }
    for (const auto& assignment : assignments) {
        auto& record = records[static_cast<std::size_t>(assignment.part - group.parts.data())];
        std::memcpy(record.data() + assignment.field->offset, assignment.bytes.data(),
                    assignment.field->size);
    }
    for (std::size_t i = 0; i < group.parts.size(); ++i) {
        const RecordPart& part = group.parts[i];
        if (!Touched(part, assignments) || part.check == nullptr) continue;
        std::string problem;
        if (const int status = part.check(session->get(), records[i].data(), problem);
            status != STATUS_OK) {
            return output.Fail(std::string("check ") + part.name, status);
        }
        if (!problem.empty()) return output.Refuse(problem);
    }
    for (std::size_t i = 0; i < group.parts.size(); ++i) {
        if (!Touched(group.parts[i], assignments)) continue;
        if (const int status = group.parts[i].set(session->get(), records[i].data());
            status != STATUS_OK) {
            return output.Fail(std::string("write ") + group.parts[i].name, status);
        }
    }
    for (const auto& assignment : assignments) {
        const auto& record =
            records[static_cast<std::size_t>(assignment.part - group.parts.data())];
        ShowField(output, FieldName(*assignment.part, *assignment.field), *assignment.field,
                  record.data());
    }
    return 0;
}

}  // namespace petrelctl
