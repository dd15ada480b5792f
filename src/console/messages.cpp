#include "console/messages.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace tarnwick {

namespace {

struct MessageText {
    MessageId id;
    std::string_view english;
    std::string_view chinese;
};

// Every message, in the order of MessageId.
constexpr std::array<MessageText, 29> Messages{{
    {MessageId::None, "", ""},
    {MessageId::NotATerminal, "the game needs a terminal, and its standard output is not one",
     "游戏需要终端，而它的标准输出不是终端"},
    {MessageId::DumbTerminal,
     "the game needs a terminal that moves the cursor, and TERM is \"dumb\"",
     "游戏需要能移动光标的终端，而 TERM 是 \"dumb\""},
    {MessageId::UnknownOption, "unknown option '{1}'", "未知的选项 '{1}'"},
    {MessageId::UnexpectedArgument, "unexpected argument '{1}'", "多余的参数 '{1}'"},
    {MessageId::TakesNoValue, "option {1} takes no value", "选项 {1} 不带值"},
    {MessageId::NeedsValue, "option {1} needs a value", "选项 {1} 需要一个值"},
    {MessageId::BadValue, "bad value '{1}' for {2}", "选项 {2} 的值 '{1}' 无效"},
    {MessageId::TryHelp, "; try --help", "；请看 --help"},
    {MessageId::CannotWriteOutput, "cannot write the output: {e}", "无法写出输出：{e}"},
    {MessageId::NoHome, "HOME is not set and neither is {1}: nothing is saved",
     "HOME 和 {1} 都没有设置：什么也不保存"},
    {MessageId::HomeEmpty, "HOME is empty and {1} is not set: nothing is saved",
     "HOME 是空的，{1} 也没有设置：什么也不保存"},
    {MessageId::HomeNotAbsolute, "HOME is not an absolute path: nothing is saved",
     "HOME 不是绝对路径：什么也不保存"},
    {MessageId::NotAFolder, "{1} is not a folder: nothing is saved",
     "{1} 不是文件夹：什么也不保存"},
    {MessageId::CannotCreateFolder, "cannot create the folder {1}: {e}", "无法创建文件夹 {1}：{e}"},
    {MessageId::CannotRead, "cannot read {1}: {e}", "无法读取 {1}：{e}"},
    {MessageId::TooLarge, "{1} is larger than 64 KiB: not read", "{1} 大于 64 KiB：没有读取"},
    {MessageId::NotRegularNotRead, "{1} is not a regular file: not read",
     "{1} 不是普通文件：没有读取"},
    {MessageId::NotText, "{1} is not a text file: not read", "{1} 不是文本文件：没有读取"},
    {MessageId::WouldBeTooLarge, "{1} would be larger than 64 KiB: not written",
     "{1} 会大于 64 KiB：没有写入"},
    {MessageId::SymbolicLink, "{1} is a symbolic link: not written, the link is kept",
     "{1} 是符号链接：没有写入，链接保持原样"},
    {MessageId::NotRegularNotWritten, "{1} is not a regular file: not written",
     "{1} 不是普通文件：没有写入"},
    {MessageId::CannotWrite, "cannot write {1}: {e}", "无法写入 {1}：{e}"},
    {MessageId::NoWritePermission, "{1} has no write permission: it is left as it is",
     "{1} 没有写权限：保持原样"},
    {MessageId::RecordsBadLines,
     "{1}: {2} line(s) could not be read (the first is line {3}); they are kept as they are",
     "{1}：有 {2} 行无法读取（第一行是第 {3} 行）；这些行保持原样"},
    {MessageId::SettingsBadLines,
     "{1}: {2} line(s) could not be read (the first is line {3}); defaults are used for what "
     "they set, and the file is left as it is",
     "{1}：有 {2} 行无法读取（第一行是第 {3} 行）；它们所设的项用默认值，文件保持原样"},
    {MessageId::NotAGame, "{1} is not a game: it is left as it is", "{1} 不是一局游戏：保持原样"},
    {MessageId::RecordNotKept, "; this game's record is not kept", "；这局的记录没有保存"},
    {MessageId::SettingsNotKept, "; the settings are not kept", "；设置没有保存"},
}};

constexpr bool inOrder() {
    for (std::size_t i = 0; i < Messages.size(); ++i) {
        if (static_cast<std::size_t>(Messages[i].id) != i) {
            return false;
        }
    }
    return Messages.back().id == MessageId::SettingsNotKept;
}
static_assert(inOrder(), "the table lists every MessageId in order");

// The system's reasons for the errors the game's files meet most, in Chinese; any other error
// is told by the system's own text.
struct ErrorText {
    int error;
    std::string_view chinese;
};
constexpr std::array<ErrorText, 12> ChineseErrors{{
    {EACCES, "权限不够"},
    {EPERM, "不允许的操作"},
    {ENOENT, "没有那个文件或目录"},
    {ENOTDIR, "不是目录"},
    {EISDIR, "是一个目录"},
    {EROFS, "只读文件系统"},
    {ENOSPC, "设备上没有空间"},
    {EDQUOT, "超出磁盘配额"},
    {EIO, "输入/输出错误"},
    {ENAMETOOLONG, "文件名过长"},
    {ELOOP, "符号链接的层数过多"},
    {EPIPE, "断开的管道"},
}};

std::string errorText(int error, bool chinese) {
    if (chinese) {
        for (const ErrorText& known : ChineseErrors) {
            if (known.error == error) {
                return std::string(known.chinese);
            }
        }
    }
    return std::strerror(error);
}

// The text with its blanks filled.
void appendFilled(std::string& out, std::string_view text, const Message& message, bool chinese) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{' || i + 2 >= text.size() || text[i + 2] != '}') {
            out += text[i];
            continue;
        }
        const char name = text[i + 1];
        const auto index = static_cast<std::size_t>(name - '1');
        if (name == 'e') {
            out += errorText(message.error, chinese);
        } else if (index < message.values.size()) {
            out += message.values[index];
        }
        i += 2;
    }
}

std::string_view textOf(MessageId id, bool chinese) {
    const MessageText& text = Messages.at(static_cast<std::size_t>(id));
    return chinese ? text.chinese : text.english;
}

}  // namespace

std::string messageText(const Message& message, bool chinese) {
    std::string out;
    appendFilled(out, textOf(message.id, chinese), message, chinese);
    appendFilled(out, textOf(message.then, chinese), message, chinese);
    return out;
}

bool chineseMessages(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value != nullptr && *value != 0) {
            return std::string_view(value).starts_with("zh");
        }
    }
    return false;
}

}  // namespace tarnwick
