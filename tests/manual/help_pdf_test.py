#!/usr/bin/python3
"""Checks the built user manual bin/Help.pdf the way a reader meets it.

  help_pdf_test.py PDF SOURCE_DIR WRITER_FOUND

- it has at least a cover page plus one page per chapter (each chapter starts a new page);
- its text holds every chapter title of the HTML source, and the labels and messages the
  program shows, read from the program's own sources, so that a label renamed in a dialog
  without the manual following fails here;
- a CJK font is embedded and no font is left out, so Japanese shows the same everywhere;
- every picture the HTML names exists and the PDF carries at least that many pictures.

Exits 77 (skipped) only when the build found no LibreOffice Writer and so built no manual.
"""

import html
import re
import subprocess
import sys
from pathlib import Path

SKIPPED = 77

# Labels the manual names, by the source file that defines them: (file, pattern). A pattern
# with a group takes every match in the file (at least `least` of them); a plain text must be
# a string literal of that file.
EXTRACTED = [
    # the six tabs of the settings dialog
    ("main/settings_dialog/frm_setting_pages.cpp", r'addTab\([^;]*?QStringLiteral\("([^"]+)"\)', 6),
    # the reasons of the excluded-cell list
    ("main/engine/target_scan.h", r'inline const QString \w+ = QStringLiteral\("([^"]+)"\)', 6),
    # size modes and paste-info types of the insertion dialog
    ("main/insert_dialog/frm_get.cpp", r'addItem\((?:[^;]*?)QStringLiteral\("([^"]*[^\x00-\x7f][^"]*)"\)', 6),
    # the refusals of the host state check
    ("main/startup/state_checks.cpp", r'QStringLiteral\("([^"]*[^\x00-\x7f][^"]*。)"\)', 10),
    # the menu add-in's captions
    ("menu_addin/menu.cpp", r'QStringLiteral\("([^"]*[^\x00-\x7f][^"]*\(&[A-Z]\))"\)', 9),
    # the reduction dialog's scopes
    ("main/reduce_dialog/frm_convert_pic.cpp", r'QStringLiteral\("(\S+の全ての図)"\)', 3),
]

LITERALS = {
    "main/insert_dialog/frm_get_layout.cpp": [
        "文字列の挿入", "グループ化する", "基準", "位置", "横", "縦", "クリップボードの監視",
        "図を開く", "選択アイテムを削除", "選択アイテムを上に移動", "選択アイテムを下に移動",
        "本フォームを閉じて終了します", "読み込み中...",
    ],
    "main/insert_dialog/frm_get_watch.cpp": [
        "全設定を無視してエクセル標準の方法で一括挿入", "すでに選択中のセルに一括挿入",
        "これからセルを選択する毎に連続挿入",
    ],
    "main/insert_dialog/picture_list_model.cpp": ["ファイル名", "パス", "更新日時", "作成日時"],
    "main/insert_dialog/frm_get_list.cpp": ["画像ファイルを選択してください。"],
    "main/trimming_dialog/frm_trimming_controls.cpp": [
        "貼り付け(&P)", "90度ごとの回転", "角度", "明るさ", "コントラスト", "色彩", "回転",
    ],
    "main/trimming_dialog/frm_trimming.cpp": ["再トリミング(&R)"],
    "main/tools/picture_colour.h": ["※明るさ・コントラストの結果は、実際の表示と異なる場合があります。"],
    "main/retrimming/retrimming.cpp": ["全ての再トリミングをキャンセルしますか？"],
    "main/reduce_dialog/frm_convert_pic.cpp": [
        "適用範囲", "図の原型サイズを縮小する", "トリミング部分をカットする", "開始",
    ],
    "main/excluded_cells/frm_show_jogai_msg.cpp": ["除外セル", "原因", " - 除外されたセル一覧"],
    "main/templates/template_save.cpp": ["ユーザーカスタム", "分類名（ブック名）", "設定名（シート名）"],
    "main/templates/template_open.cpp": [
        "現在のシートの後ろにシートを挿入", "新しいブックとしてシートを作成",
        "テンプレートが存在しません",
    ],
    "main/template_dialogs/frm_template_get.cpp": ["テンプレート", "挿入先"],
    "main/about/frm_about.cpp": [
        "メインプログラム", "ベースアドイン", "リボン用アドイン", "バージョン", "更新日",
        "見つかりません",
    ],
    "main/startup/help_command.cpp": ["ヘルプファイル ", " が見つかりません。"],
    "main/insert_dialog/frm_get_run.cpp": ["挿入する図がありません。"],
}


def squeeze(text):
    return re.sub(r"\s+", "", text)


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def expected_labels(source, failures):
    labels = []
    for file, pattern, least in EXTRACTED:
        found = re.findall(pattern, (source / file).read_text(encoding="utf-8"), re.S)
        if len(found) < least:
            failures.append(f"{file}: found {len(found)} labels for {pattern!r}, expected {least}")
        labels += [(file, label) for label in found]
    for file, texts in LITERALS.items():
        code = (source / file).read_text(encoding="utf-8")
        for text in texts:
            if f'"{text}"' not in code:
                failures.append(f"{file} no longer holds the label {text!r}: update the manual")
            labels.append((file, text))
    return labels


def main():
    pdf, source, writer = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3]
    if writer.upper() in ("OFF", "FALSE", "0", ""):
        print("skipped: the build found no LibreOffice Writer and built no manual")
        return SKIPPED
    page = (source / "docs/manual/manual.html").read_text(encoding="utf-8")
    failures = []
    if not pdf.is_file():
        print(f"FAIL: {pdf} was not built")
        return 1

    # Pages: a cover and one page at least for each chapter.
    chapters = [html.unescape(re.sub(r"<[^>]+>", "", t)) for t in re.findall(r"<h2>(.*?)</h2>", page, re.S)]
    pages = int(re.search(r"^Pages:\s+(\d+)", run("pdfinfo", str(pdf)), re.M).group(1))
    if len(chapters) < 12:
        failures.append(f"the HTML source has {len(chapters)} chapters, expected 12 or more")
    if pages < len(chapters) + 1:
        failures.append(f"{pages} pages for a cover and {len(chapters)} chapters")

    # Text: chapter titles and the program's labels, whatever the line breaks. Raw order keeps
    # the text of a table cell together (the layout order interleaves neighbouring cells).
    text = squeeze(run("pdftotext", "-raw", "-enc", "UTF-8", str(pdf), "-"))
    for title in chapters:
        if squeeze(title) not in text:
            failures.append(f"chapter title missing from the PDF: {title}")
    for file, label in expected_labels(source, failures):
        shown = squeeze(label.lstrip(" -"))
        if shown not in text:
            failures.append(f"label of {file} missing from the PDF: {label!r}")

    # Fonts: Japanese from an embedded CJK font, and nothing left to the reader's fonts.
    fonts = run("pdffonts", str(pdf)).splitlines()[2:]
    rows = [line.split() for line in fonts if line.strip()]
    # Columns from the right: object id, generation, uni, sub, emb.
    if not any("CJK" in row[0] and row[-5] == "yes" for row in rows):
        failures.append("no embedded CJK font:\n" + "\n".join(fonts))
    for row in rows:
        if row[-5] != "yes":
            failures.append(f"font not embedded: {row[0]}")

    # Pictures: each named file exists, and each made it into the PDF.
    sources = re.findall(r'<img\s+src="([^"]+)"', page)
    if not sources:
        failures.append("the HTML source names no picture")
    for name in sources:
        if not (source / "docs/manual" / name).is_file():
            failures.append(f"picture missing: docs/manual/{name}")
    images = [l for l in run("pdfimages", "-list", str(pdf)).splitlines()[2:] if l.strip()]
    if len(images) < len(sources):
        failures.append(f"the PDF holds {len(images)} pictures, the HTML names {len(sources)}")

    for failure in failures:
        print("FAIL:", failure)
    if failures:
        return 1
    print(f"{pdf}: {pages} pages, {len(chapters)} chapters, {len(images)} pictures; labels found")
    return 0


if __name__ == "__main__":
    sys.exit(main())
