#include "cli/batch.h"

#include "cli/explanation.h"
#include "cli/json_output.h"
#include "cli/press_outcome.h"
#include "codec/gbk_codec.h"

namespace quorvel::cli {
namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Decodes the escapes of one field into out; returns an error reason, or an empty view.
std::string_view unescape(std::string_view field, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == field.size()) {
            return "a backslash ends the text";
        }
        switch (field[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 'x': {
                const int high = i + 1 < field.size() ? hex_value(field[i + 1]) : -1;
                const int low = i + 2 < field.size() ? hex_value(field[i + 2]) : -1;
                if (high < 0 || low < 0) {
                    return "\\x must be followed by two hexadecimal digits";
                }
                out += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default:
                return R"(unknown escape (use \\, \t, \n, \r or \xHH))";
        }
    }
    return {};
}

}  // namespace

void batch_runner::append_error(std::string& out, std::string_view reason) const {
    if (format_ == output_format::json) {
        out += error_json(reason);
    } else {
        out += "error\t";
        out += reason;
    }
    out += '\n';
}

void batch_runner::refuse_overlong_line(std::string& out) const {
    append_error(out, "line longer than 1048576 bytes");
}

const std::string& batch_runner::notice_in_utf8(const std::string& gbk) {
    for (const auto& [known, utf8] : notices_) {
        if (known == gbk) {
            return utf8;
        }
    }
    return notices_.emplace_back(gbk, codec::gbk_to_utf8(gbk)).second;
}

void batch_runner::run_line(std::string_view line, std::string& out) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.size() > max_line_bytes) {
        refuse_overlong_line(out);
        return;
    }
    if (line.find('\r') != std::string_view::npos) {
        append_error(out, R"(a carriage return inside the line (write \r for one in a text))");
        return;
    }
    const std::size_t first_tab = line.find('\t');
    button pressed{};
    if (!parse_button(line.substr(0, first_tab), pressed)) {
        append_error(out, "the button must be 1, 2 or 3");
        return;
    }
    box_texts texts;
    std::size_t next = first_tab;
    for (std::size_t field = 0; next != std::string_view::npos; ++field) {
        if (field == texts.size()) {
            append_error(out, "more than five texts after the button");
            return;
        }
        const std::size_t start = next + 1;
        next = line.find('\t', start);
        const std::string_view reason = unescape(line.substr(start, next - start), texts.at(field));
        if (!reason.empty()) {
            append_error(out, "text " + std::to_string(field + 1) + ": " + std::string(reason));
            return;
        }
    }

    const press_outcome outcome = run_press(pressed, texts);
    // The notice is converted before anything is appended, so that a missing converter leaves
    // no half line behind.
    std::string_view notice;
    if (outcome.shown == press_outcome::kind::notice) {
        notice = notice_in_utf8(outcome.text);
    }
    if (format_ == output_format::json) {
        out += press_json(outcome, notice, explain(texts, outcome));
        out += '\n';
        return;
    }
    switch (outcome.shown) {
        case press_outcome::kind::result:
            out += "result\t";
            out += outcome.text;
            break;
        case press_outcome::kind::notice:
            out += "notice\t";
            out += notice;
            break;
        case press_outcome::kind::silent:
            out += "silent";
            break;
    }
    out += '\n';
}

void batch_reader::feed(std::string_view bytes, std::string& out) {
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, newline);
        if (newline == std::string_view::npos) {
            if (!overlong_) {
                pending_.append(piece);
                // One byte more than the limit may be the carriage return of a CR LF.
                overlong_ = pending_.size() > batch_runner::max_line_bytes + 1;
                if (overlong_) {
                    pending_.clear();
                }
            }
            return;
        }
        if (overlong_) {
            runner_.refuse_overlong_line(out);
            overlong_ = false;
        } else if (pending_.empty()) {
            runner_.run_line(piece, out);
        } else {
            pending_.append(piece);
            runner_.run_line(pending_, out);
            pending_.clear();
        }
        bytes.remove_prefix(newline + 1);
    }
}

void batch_reader::finish(std::string& out) {
    if (overlong_) {
        runner_.refuse_overlong_line(out);
    } else if (!pending_.empty()) {
        runner_.run_line(pending_, out);
    }
    pending_.clear();
    overlong_ = false;
}

}  // namespace quorvel::cli
