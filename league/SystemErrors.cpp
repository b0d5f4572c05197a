// Japanese explanations of the operating system's error numbers.
#include "league/SystemErrors.h"

#include "league/Platform.h"

#include <cerrno>

namespace tenvoll {

std::string systemErrorText(int err) {
    switch (err) {
    case EACCES:
    case EPERM:
        return "アクセスが許可されていません";
    case ENOENT:
        return "ファイルまたはフォルダがありません";
    case ENOTDIR:
        return "途中の名前がフォルダではありません";
    case EISDIR:
        return "ファイルではなくフォルダです";
    case EEXIST:
        return "同じ名前のものがすでにあります";
    case ENOSPC:
        return "ディスクの空き容量が足りません";
#ifdef EDQUOT
    case EDQUOT:
        return "ディスクの使用量の上限に達しています";
#endif
    case EROFS:
        return "読み取り専用の場所です";
    case EIO:
        return "ディスクの読み書きに失敗しました";
    case EBUSY:
    case ETXTBSY:
        return "ほかのプログラムが使用中です";
    case ENAMETOOLONG:
        return "名前が長すぎます";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます";
    case ENOMEM:
        return "メモリが足りません";
    case EXDEV:
        return "別のドライブへは移動できません";
    case ELOOP:
        return "リンクが循環しています";
    case EINVAL:
        return "名前または操作が正しくありません";
    case EFBIG:
        return "ファイルが大きすぎます";
    case ENOTEMPTY:
        return "フォルダが空ではありません";
    case EAGAIN:
        return "一時的に利用できません";
    default:
        if (err >= platform::kUnmappedErrorBase)
            return "システムのエラー (番号 " + std::to_string(err - platform::kUnmappedErrorBase) +
                   ")";
        return "システムのエラー (番号 " + std::to_string(err) + ")";
    }
}

std::string systemErrorText(const std::error_code& ec) {
    if (ec.category() == std::generic_category() || ec.category() == std::system_category())
        return systemErrorText(platform::errorNumberOf(ec));
    return "システムのエラー (番号 " + std::to_string(ec.value()) + ")";
}

} // namespace tenvoll
