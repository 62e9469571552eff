#include "app/runtimefolder.h"

#include "app/handoverclient.h"

#include <sys/stat.h>
#include <sys/un.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zanpel {
namespace {

std::string Octal(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// The way out that always works: a folder of one's own.
const char* const OwnFolderHint = "XDG_RUNTIME_DIR に自分だけが使えるフォルダ "
                                  "(所有者が自分でモード 0700) を指定して起動してください。";

} // namespace

std::string RuntimeFolderProblem(const std::string& path, uid_t uid) {
    const std::string head = "実行時フォルダ " + path + " は使えません: ";
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return head + std::strerror(errno) + "。" + OwnFolderHint;
    if (S_ISLNK(info.st_mode))
        return head + "シンボリックリンクです。ほかのユーザーが作った可能性があります。" +
               "リンクを削除するか (rm " + path + ")、" + OwnFolderHint;
    if (!S_ISDIR(info.st_mode))
        return head + "フォルダではありません。このファイルを削除するか (rm " + path + ")、" +
               OwnFolderHint;
    if (info.st_uid != uid)
        return head + "所有者が別のユーザー (uid " + std::to_string(info.st_uid) +
               ") です。管理者に削除を依頼するか、" + OwnFolderHint;
    // A bar whose socket cannot be bound there would run unreachable: the
    // next start would wait for it and take it for one that hangs.
    const std::string socket = path + "/" + HandOverSocketName;
    if (socket.size() >= sizeof sockaddr_un{}.sun_path)
        return head + "パスが長すぎます (その中のソケット " + socket + " は " +
               std::to_string(socket.size()) + " バイトで、" +
               std::to_string(sizeof sockaddr_un{}.sun_path - 1) + " バイトまでです)。" +
               OwnFolderHint;
    if ((info.st_mode & 077) != 0)
        return head + "グループや他のユーザーが使えます (モード " + Octal(info.st_mode) +
               ")。chmod 700 " + path + " で自分だけのフォルダにしてください。";
    return {};
}

} // namespace zanpel
