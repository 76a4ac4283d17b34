#include "server/web/StyleSheet.h"

namespace StyleSheet {

QByteArray css()
{
    static const QByteArray sheet = QByteArrayLiteral(R"css(:root {
  --ink: #1f2933; --muted: #616e7c; --line: #d9e2ec; --paper: #ffffff; --wash: #f5f7fa;
  --accent: #2f6fb0; --accent-dark: #1d4f85; --danger: #b42318; --holiday: #fff4e5; --cancelled: #fdecec;
  --custom: #eef4ff;
}
* { box-sizing: border-box; }
html { -webkit-text-size-adjust: 100%; }
body { margin: 0; font: 16px/1.5 "DejaVu Sans", system-ui, sans-serif; color: var(--ink); background: var(--wash); }
a { color: var(--accent); }
a:hover { color: var(--accent-dark); }
header.site { background: var(--accent-dark); color: #fff; }
header.site .bar { max-width: 64rem; margin: 0 auto; padding: .6rem 1rem; display: flex; flex-wrap: wrap;
  align-items: center; gap: .4rem 1.2rem; }
header.site .brand { color: #fff; font-weight: 700; text-decoration: none; font-size: 1.1rem; margin-right: auto; }
header.site nav { display: flex; flex-wrap: wrap; align-items: center; gap: .2rem .9rem; }
header.site nav a { color: #dbe8f6; text-decoration: none; padding: .15rem 0; border-bottom: 2px solid transparent; }
header.site nav a.current, header.site nav a:hover { color: #fff; border-bottom-color: #fff; }
header.site nav form { display: inline; margin: 0; }
header.site nav .who { color: #dbe8f6; font-size: .9rem; }
header.site nav button { background: transparent; color: #fff; border: 1px solid #8fb3d9; border-radius: 4px;
  padding: .1rem .6rem; font: inherit; font-size: .9rem; cursor: pointer; }
main { max-width: 64rem; margin: 0 auto; padding: 1rem; }
main.narrow { max-width: 26rem; }
h1 { font-size: 1.6rem; margin: .6rem 0 1rem; }
h2 { font-size: 1.25rem; margin: 0 0 .4rem; }
h3 { font-size: 1rem; margin: 1rem 0 .3rem; color: var(--muted); text-transform: uppercase; letter-spacing: .04em; }
.card { background: var(--paper); border: 1px solid var(--line); border-radius: 8px; padding: 1rem 1.2rem;
  margin: 0 0 1rem; }
.muted { color: var(--muted); }
.notice, .error { border-radius: 6px; padding: .6rem .9rem; margin: 0 0 1rem; }
.notice { background: #e6f4ea; border: 1px solid #a7d7b4; }
.error { background: var(--cancelled); border: 1px solid #f1b5b0; color: var(--danger); }
.pager { display: flex; justify-content: space-between; gap: 1rem; margin: 0 0 1rem; }
ul.plain { list-style: none; padding: 0; margin: 0; }
ul.courses li { display: flex; justify-content: space-between; align-items: center; gap: 1rem; padding: .55rem 0;
  border-bottom: 1px solid var(--line); }
ul.courses li:last-child { border-bottom: 0; }
.badge { display: inline-block; font-size: .75rem; border-radius: 999px; padding: 0 .55rem; background: var(--wash);
  border: 1px solid var(--line); color: var(--muted); white-space: nowrap; }
.badge.public { background: #e6f4ea; border-color: #a7d7b4; color: #1e6b35; }
hr { border: 0; border-top: 1px solid var(--line); margin: 1rem 0; }
table { border-collapse: collapse; }
table.list { width: 100%; }
table.list th, table.list td { text-align: left; padding: .45rem .5rem; border-bottom: 1px solid var(--line);
  vertical-align: top; }
table.month { width: 100%; table-layout: fixed; background: var(--paper); border: 1px solid var(--line); }
table.month th { font-size: .8rem; color: var(--muted); font-weight: 600; padding: .4rem; border-bottom: 1px solid var(--line); }
table.month td { height: 6.5rem; vertical-align: top; padding: .3rem; border: 1px solid var(--line); overflow: hidden; }
table.month td.off { background: var(--wash); color: #9aa5b1; }
table.month td.holiday { background: var(--holiday); }
table.month td.cancelled { background: var(--cancelled); }
table.month td.custom { background: var(--custom); }
table.month .date { font-weight: 700; text-decoration: none; }
table.month .kind { display: block; font-size: .72rem; color: var(--muted); }
table.month ul { list-style: none; margin: .2rem 0 0; padding: 0; font-size: .78rem; line-height: 1.3; }
table.month li { white-space: nowrap; overflow: hidden; text-overflow: ellipsis; }
table.month .count { display: none; width: fit-content; font-size: .7rem; line-height: 1.4; padding: 0 .35rem;
  margin-top: .15rem; border-radius: 999px; background: #dbe8f6; color: var(--accent-dark); }
.course-name { font-weight: 600; }
.lesson header { display: flex; flex-wrap: wrap; justify-content: space-between; gap: .2rem 1rem;
  border-bottom: 1px solid var(--line); padding-bottom: .4rem; margin-bottom: .4rem; }
.lesson header:last-child { border-bottom: 0; padding-bottom: 0; margin-bottom: 0; }
.lesson .meta { color: var(--muted); font-size: .9rem; }
.lesson .field { overflow-wrap: anywhere; }
.lesson .field p { margin: .2rem 0; }
.lesson .field table td, .lesson .field table th { border: 1px solid var(--line); padding: .2rem .4rem; }
.lesson .field pre { white-space: pre-wrap; }
.day-kind { display: inline-block; margin: 0 0 1rem; }
.assignment { border-left: 3px solid var(--accent); padding-left: .8rem; margin: .5rem 0; }
ul.attachments { padding-left: 1.2rem; margin: .3rem 0; }
form.stacked label { display: block; margin: .6rem 0 .2rem; font-weight: 600; }
form.stacked label:first-of-type { margin-top: 0; }
form.stacked input[type=text], form.stacked input[type=password] { width: 100%; padding: .5rem .6rem;
  font: inherit; border: 1px solid #bcccdc; border-radius: 6px; }
form.stacked .check { display: flex; gap: .5rem; align-items: flex-start; font-weight: 400; }
form.inline { display: inline; }
button { font: inherit; padding: .45rem 1rem; border-radius: 6px; border: 1px solid var(--accent);
  background: var(--accent); color: #fff; cursor: pointer; }
button.secondary { background: var(--paper); color: var(--accent); }
button.danger { background: var(--danger); border-color: var(--danger); }
form.stacked button { margin-top: .8rem; }
.actions { display: flex; flex-wrap: wrap; gap: .6rem; margin-top: 1rem; }
details summary { cursor: pointer; color: var(--accent); }
pre.profile { white-space: pre-wrap; font-size: .8rem; background: var(--wash); padding: .5rem; }
@media (max-width: 40rem) {
  body { font-size: 15px; }
  main { padding: .6rem; }
  h1 { font-size: 1.3rem; }
  header.site .bar { padding: .5rem .6rem; }
  header.site nav { gap: .2rem .8rem; }
  header.site nav .who { display: none; }
  .lesson header { display: block; }
  .card { padding: .8rem; }
  table.month td { height: 3.2rem; padding: .2rem; }
  table.month ul, table.month .kind { display: none; }
  table.month .count { display: block; }
  table.month th { font-size: .7rem; padding: .2rem 0; }
  table.list th.wide, table.list td.wide { display: none; }
}
)css");
    return sheet;
}

} // namespace StyleSheet
