// Why a change did not happen: the first call the system refused with its Win32 code, a
// system tool that failed, or a refusal of the program's own; and the result that carries
// it in place of a bool.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class RefusalKind : std::uint8_t {
    Call,       // a system call, by its Win32 name, and its error code
    ToolExit,   // a system tool that ran and exited with a code other than 0
    ToolError,  // a system tool that could not be started or did not end in time
    Own,        // this program's own refusal, by a named reason
};

class Refusal {
  public:
    // `name` and `reason` must be literals: only the view is kept.
    static Refusal Call(std::string_view name, std::uint32_t code) {
        return Refusal(RefusalKind::Call, name, code, {});
    }
    static Refusal ToolExit(std::u16string path, std::uint32_t exitCode) {
        return Refusal(RefusalKind::ToolExit, {}, exitCode, std::move(path));
    }
    static Refusal ToolError(std::u16string path, std::uint32_t code) {
        return Refusal(RefusalKind::ToolError, {}, code, std::move(path));
    }
    static Refusal Own(std::string_view reason) { return Refusal(RefusalKind::Own, reason, 0, {}); }

    RefusalKind Kind() const { return kind_; }
    // The call's name or the own reason; empty for a tool.
    std::string_view What() const { return what_; }
    // The tool's full path; empty otherwise.
    const std::u16string& Tool() const { return tool_; }
    // The Win32 code, or the tool's exit code; 0 for an own reason.
    std::uint32_t Code() const { return code_; }

    // Short and UTF-8, for the log: "RegSetValueExW: error 5",
    // "C:\Windows\system32\powercfg.exe: exit code 1", or the own reason itself. A code with
    // the high bit set (an HRESULT, an NTSTATUS) is written in hexadecimal.
    std::string Text() const;

    bool operator==(const Refusal&) const = default;

  private:
    Refusal(RefusalKind kind, std::string_view what, std::uint32_t code, std::u16string tool)
        : kind_(kind), what_(what), code_(code), tool_(std::move(tool)) {}

    RefusalKind kind_;
    std::string_view what_;
    std::uint32_t code_;
    std::u16string tool_;
};

// The result of a step that either happens or is refused. Nothing is allocated on success.
class [[nodiscard]] Result {
  public:
    Result() = default;
    // Implicit, so that a step can return the refusal itself.
    Result(Refusal refusal) : refusal_(std::move(refusal)) {}

    bool Ok() const { return !refusal_.has_value(); }
    // Empty when ok.
    const std::optional<Refusal>& Reason() const { return refusal_; }

    // For steps that all run: keeps the first refusal, so the reason is the first step that
    // failed.
    void KeepFirst(Result step) {
        if (Ok() && !step.Ok())
            refusal_ = std::move(step.refusal_);
    }

  private:
    std::optional<Refusal> refusal_;
};
