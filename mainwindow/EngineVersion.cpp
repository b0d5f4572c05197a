// Version text of the program, shown by "バージョン情報" and tenvoll-batch.
namespace tenvoll {
const char* versionText() { return "ボルタナ選手名鑑 Var,1.1.1"; }
} // namespace tenvoll
