#include "app/infooptions.h"

#include "app/version.h"

#include <string_view>

namespace zanpel {

std::string InfoOptionText(int argc, const char* const* argv) {
    if (argc != 2)
        return {};
    const std::string_view option = argv[1];
    if (option == "--version")
        return std::string("zanpel ") + ProgramVersion + "\n";
    if (option == "--help")
        return "使い方: zanpel [作業項目]\n"
               "画面の端に作業ボタンのバーを表示し、作業項目ごとの時間を記録します。\n"
               "zanpel がすでに動作中なら、そのバーを表示して終わります。作業項目を指定すると、\n"
               "動作中のバーでその作業を開始します。\n"
               "\n"
               "  --version  バージョンを表示する\n"
               "  --help     この説明を表示する\n"
               "\n"
               "ファイルと環境変数の説明: man zanpel\n";
    return {};
}

} // namespace zanpel
