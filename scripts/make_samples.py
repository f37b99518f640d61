#!/usr/bin/env python3
"""Writes the sample Plover data folder (samples/plover) used by the demo and the tests.

The mails are Shift-JIS files with CR LF line ends, as the mail client stores them. Run it again
after changing a text here; the generated files are committed.
"""
import base64
import os
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples", "plover")
SEP = "-" * 50


def write(rel, text, encoding="cp932"):
    path = os.path.join(ROOT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode(encoding)
    with open(path, "wb") as f:
        f.write(data)


def mail(status, headers, body):
    return "X-Status: %s\n%s\n%s\n%s" % (status, "\n".join(headers), SEP, body)


def folder_lists():
    """The mail client's own list of each folder: mail numbers in its order, one a line.

    The order differs from number order on purpose, and the numbering has gaps, so that reading
    in the mail client's order and reading by number lead to different mails.
    """
    lists = {
        "recv.fld": ["0007", "0001", "0004", "0002"],
        "inbox.fld": ["0003", "0001", "0002"],
        "out.fld": [],
        "sent.fld": ["0001"],
        "trash.can": ["0001"],
    }
    for name, numbers in lists.items():
        write(name, "".join(n + "\n" for n in numbers))

    # Two more mails in the received folder: 0004 still unread, 0007 read; 0003, 0005 and 0006
    # were deleted long ago.
    write("recv/0004.txt", mail("RECV", [
        "From: 鈴木 一郎 <ichiro@example.co.jp>",
        "To: hanako@example.co.jp",
        "Subject: 忘年会の出欠",
        "Date: Mon, 7 Dec 2026 11:05:00 +0900",
    ], "花子さん\n\n忘年会の出欠を金曜日までに教えてください。\n\n鈴木\n"))
    write("recv/0007.txt", mail("READ", [
        "From: support@example.com",
        "To: hanako@example.co.jp",
        "Subject: Your ticket #4711 was closed",
        "Date: Sun, 6 Dec 2026 18:00:00 +0900",
    ], "Your ticket was closed. Reply to this mail to open it again.\n"))


def main():
    write("plovermail.ini",
          "[Folder]\nName0=recv.fld\nName1=inbox.fld\nName2=out.fld\nName3=sent.fld\n"
          "Name4=trash.can\n\n[Global Parameters]\nAliasFile=address.txt\n")
    write("address.txt", "")
    folder_lists()

    write("recv/0001.txt", mail("RECV", [
        "Return-Path: <taro@example.jp>",
        "Received: from mx.example.jp by mail.example.co.jp; Mon, 7 Dec 2026 09:58:01 +0900",
        "Message-ID: <20261207095800.1234@example.jp>",
        "From: 山田 太郎 <taro@example.jp>",
        "To: 佐藤 花子 <hanako@example.co.jp>",
        "Cc: 鈴木 一郎 <ichiro@example.co.jp>, \"Tanaka, Jiro\" <jiro@example.co.jp>",
        "Subject: 来週の打ち合わせについて",
        "Date: Mon, 7 Dec 2026 09:58:00 +0900",
        "X-Mailer: Plover",
    ], """花子さん

お疲れさまです。山田です。
来週の打ち合わせですが、火曜日の午後二時からでいかがでしょうか。
資料は下記に置いておきました。

  https://www.example.jp/meeting/2026-12.html

よろしくお願いします。

> 先週の件、どうなりましたか。
> 資料があれば送ってください。
| 引用記号が縦棒の行です。
＞ 全角の引用記号の行です。

--
山田 太郎 <taro@example.jp>
"""))

    write("recv/0002.txt", mail("RECV", [
        "From: news@example.com",
        "To: hanako@example.co.jp",
        "Subject: =?ISO-2022-JP?B?GyRCJUslZSE8JTkbKEI=?= December",
        "Date: Mon, 7 Dec 2026 10:15:00 +0900",
        "Content-Type: text/plain; charset=ISO-2022-JP",
        "Content-Transfer-Encoding: 7bit",
    ], "This newsletter arrived with an encoded subject.\n"
       "Use Decode to read it.\n\nhttp://www.example.com/news/\n"))

    lines = ["%04d 行目: 長いメールの本文です。表示は途中で切られます。" % i for i in range(1, 401)]
    write("inbox/0001.txt", mail("READ", [
        "From: 長文 送信者 <long@example.jp>",
        "To: hanako@example.co.jp",
        "Subject: とても長いメール",
        "Date: Sun, 6 Dec 2026 20:00:00 +0900",
    ], "\n".join(lines) + "\n"))

    attach = base64.encodebytes(bytes(range(256)) * 4).decode("ascii")
    write("inbox/0002.txt", mail("READ", [
        "From: 佐藤 花子 <hanako@example.co.jp>",
        "To: taro@example.jp",
        "Subject: 資料を添付します",
        "Date: Sun, 6 Dec 2026 21:30:00 +0900",
        "MIME-Version: 1.0",
        "Content-Type: multipart/mixed; boundary=\"=_kestrel_sample_boundary\"",
    ], "This is a multi-part message in MIME format.\n\n"
       "--=_kestrel_sample_boundary\n"
       "Content-Type: text/plain; charset=ISO-2022-JP\n\n"
       "山田さん\n\n資料を添付します。ご確認ください。\n\n"
       "--=_kestrel_sample_boundary\n"
       "Content-Type: application/octet-stream; name=\"data.bin\"\n"
       "Content-Transfer-Encoding: base64\n"
       "Content-Disposition: attachment; filename=\"data.bin\"\n\n"
       + attach + "\n--=_kestrel_sample_boundary--\n"))

    write("inbox/0003.txt", mail("READ", [
        "From: 鈴木 一郎 <ichiro@example.co.jp>",
        "To: taro@example.jp",
        "Subject: 【至急】サーバー停止のお知らせ",
        "Date: Mon, 7 Dec 2026 08:00:00 +0900",
    ], "本日 12:00 から 13:00 までサーバーを停止します。\n"
       "ご迷惑をおかけしますが、よろしくお願いいたします。\n"))

    write("sent/0001.txt", mail("SENT", [
        "From: 佐藤 花子 <hanako@example.co.jp>",
        "To: 山田 太郎 <taro@example.jp>",
        "Subject: Re: 来週の打ち合わせについて",
        "Date: Mon, 7 Dec 2026 10:30:00 +0900",
    ], "山田さん\n\n火曜日の午後二時で大丈夫です。\n\n"
       "> 来週の打ち合わせですが、火曜日の午後二時からでいかがでしょうか。\n"))

    write("trash/0001.txt", mail("READ", [
        "From: spam@example.net",
        "To: hanako@example.co.jp",
        "Subject: Old news",
        "Date: Fri, 4 Dec 2026 12:00:00 +0900",
    ], "Nothing to read here.\n"))

    # A compose file as the mail client leaves it in the temporary folder for a reply.
    write("temp/_plv0001.tmp",
          "From: 佐藤 花子 <hanako@example.co.jp>\n"
          "To: 山田 太郎 <taro@example.jp>\n"
          "Subject: Re: 来週の打ち合わせについて\n"
          "%s\n"
          "山田さん\n\n"
          "来週の打ち合わせですが、火曜日の午後二時からでいかがでしょうか。資料は下記に置いておきました。よろしくお願いします。\n"
          "先週の件、どうなりましたか。資料があれば送ってください。\n" % SEP)
    write("kestrel.ini",
          "; Settings for the demo: Japanese menus, alert colour for urgent mails.\n"
          "[View]\nEnglishMenu=0\nTimer=400\n\n"
          "[Alert]\nAlertString1=【至急】\nAlertColor1=$00C0C0FF\n\n"
          "; The English spell check with the dictionary shipped beside the viewer's program.\n"
          "[SpellCheck]\nSpellChecker=1\nBasicDic=dictionary\\Basic.wtr\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
