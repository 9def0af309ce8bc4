// Every diagnostic the game prints, as Shift_JIS bytes (the terminals the game
// was first made for read that code page). The Unicode text is beside each one.
#pragma once

namespace msg {

// "初期化失敗\n"
inline constexpr const char MsgInitFailed[] = "\217\211\212\372\211\273\216\270\224s\n";
// "ＳＤＬ初期化失敗:%s\n"
inline constexpr const char MsgSdlInitFailed[] = "\202r\202c\202k\217\211\212\372\211\273\216\270\224s:%s\n";
// "ＳＤＬビデオモード変更失敗 %dx%dx%d video mode: %s\n"
inline constexpr const char MsgVideoModeFailed[] =
    "\202r\202c\202k\203r\203f\203I\203\202\201[\203h\225\317\215X\216\270\224s %dx%dx%d video mode: %s\n";
// "メモリ不足　スプライト\n"
inline constexpr const char MsgNoMemorySprite[] =
    "\203\201\203\202\203\212\225s\221\253\201@\203X\203v\203\211\203C\203g\n";
// "ビットマップ失敗 %d\n"
inline constexpr const char MsgBitmapSlot[] = "\203r\203b\203g\203}\203b\203v\216\270\224s %d\n";
// "ビットマップ読み込み失敗 %s \n"
inline constexpr const char MsgBitmapLoad[] =
    "\203r\203b\203g\203}\203b\203v\223\307\202\335\215\236\202\335\216\270\224s %s \n";
// "マップタイル読み込み失敗 %s\n"
inline constexpr const char MsgMapTiles[] =
    "\203}\203b\203v\203^\203C\203\213\223\307\202\335\215\236\202\335\216\270\224s %s\n";
// "マップ位置読み込み失敗 %s\n"
inline constexpr const char MsgMapPositions[] =
    "\203}\203b\203v\210\312\222u\223\307\202\335\215\236\202\335\216\270\224s %s\n";
// "オープン失敗 %s\n"
inline constexpr const char MsgOpenFailed[] = "\203I\201[\203v\203\223\216\270\224s %s\n";
// "アロケート？()\n"
inline constexpr const char MsgNoBitmapSet[] = "\203A\203\215\203P\201[\203g\201H()\n";
// "メモリ不足　ビットマップ\n"
inline constexpr const char MsgNoMemoryBitmap[] =
    "\203\201\203\202\203\212\225s\221\253\201@\203r\203b\203g\203}\203b\203v\n";
// "メモリ不足　フォント\n"
inline constexpr const char MsgNoMemoryFont[] = "\203\201\203\202\203\212\225s\221\253\201@\203t\203H\203\223\203g\n";
// "フォントファイル %s なし\n"
inline constexpr const char MsgFontMissing[] = "\203t\203H\203\223\203g\203t\203@\203C\203\213 %s \202\310\202\265\n";
// "メモリ不足\n"
inline constexpr const char MsgNoMemorySound[] = "\203\201\203\202\203\212\225s\221\253\n";
// "メモリ不足()\n"
inline constexpr const char MsgNoMemorySoundSlots[] = "\203\201\203\202\203\212\225s\221\253()\n";
// "ＭＵＳＩＣ初期化失敗 : %d\n"
inline constexpr const char MsgSoundSlot[] = "\202l\202t\202r\202h\202b\217\211\212\372\211\273\216\270\224s : %d\n";
// "ＷＡＶファイル %s なし\n"
inline constexpr const char MsgWavMissing[] = "\202v\202`\202u\203t\203@\203C\203\213 %s \202\310\202\265\n";
// "ＷＡＶ失敗\n"
inline constexpr const char MsgNoSoundBank[] = "\202v\202`\202u\216\270\224s\n";
// "ＷＡＶオープン失敗 %s\n"
inline constexpr const char MsgSoundListOpen[] = "\202v\202`\202u\203I\201[\203v\203\223\216\270\224s %s\n";
// "ジョイスティックオープン失敗 \n"
inline constexpr const char MsgJoystickOpen[] =
    "\203W\203\207\203C\203X\203e\203B\203b\203N\203I\201[\203v\203\223\216\270\224s \n";
// "メモリ不足　いんぷっと\n"
inline constexpr const char MsgNoMemoryInput[] =
    "\203\201\203\202\203\212\225s\221\253\201@\202\242\202\361\202\325\202\301\202\306\n";
// "メモリ不足　マップ"
inline constexpr const char MsgNoMemoryKeywordMap[] = "\203\201\203\202\203\212\225s\221\253\201@\203}\203b\203v";
// "キーワード失敗\n"
inline constexpr const char MsgKeywordFailed[] = "\203L\201[\203\217\201[\203h\216\270\224s\n";
// "オーバーフロー\n"
inline constexpr const char MsgKeywordOverflow[] = "\203I\201[\203o\201[\203t\203\215\201[\n";
// "マップをオープンできません %s \n"
inline constexpr const char MsgConfigOpen[] =
    "\203}\203b\203v\202\360\203I\201[\203v\203\223\202\305\202\253\202\334\202\271\202\361 %s \n";
// "cannot create %s\n"
inline constexpr const char MsgCannotCreate[] = "cannot create %s\n";
// "スコア保存失敗\n"
inline constexpr const char MsgScoreSave[] = "\203X\203R\203A\225\333\221\266\216\270\224s\n";
// "パスが長すぎます %s\n"
inline constexpr const char MsgPathTooLong[] = "\203p\203X\202\252\222\267\202\267\202\254\202\334\202\267 %s\n";

// "設定値不正 %s "%s" (%d から %d)　%d を使用\n"
inline constexpr const char MsgConfigNotANumber[] = "\220\335\222\350\222l\225s\220\263 %s \"%s\" (%d \202\251\202\347 %d)\201@%d \202\360\216g\227p\n";
// "キー名不正 %s "%s"　"%s" を使用\n"
inline constexpr const char MsgConfigNotAKey[] = "\203L\201[\226\274\225s\220\263 %s \"%s\"\201@\"%s\" \202\360\216g\227p\n";

// "設定値不正 %s "%s" (0 か 1)　%d を使用\n"
inline constexpr const char MsgConfigNotAFlag[] = "\220\335\222\350\222l\225s\220\263 %s \"%s\" (0 \202\251 1)\201@%d \202\360\216g\227p\n";
// "ボタン番号不正 %s "%s" (0 から %d か none)　パッドの既定を使用\n"
inline constexpr const char MsgConfigNotAButton[] = "\203{\203^\203\223\224\324\215\206\225s\220\263 %s \"%s\" (0 \202\251\202\347 %d \202\251 none)\201@\203p\203b\203h\202\314\212\371\222\350\202\360\216g\227p\n";
// "パッド配置不正 pad_layout "%s" (standard か raw)　standard を使用\n"
inline constexpr const char MsgConfigNotALayout[] = "\203p\203b\203h\224z\222u\225s\220\263 pad_layout \"%s\" (standard \202\251 raw)\201@standard \202\360\216g\227p\n";

}  // namespace msg
