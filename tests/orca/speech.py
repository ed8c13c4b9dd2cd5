"""Drives the real program by keys while Orca runs, and checks what Orca speaks at each step.

Orca logs every utterance as a line `HH:MM:SS.ffffff - SPEECH OUTPUT: '...'` in its debug file; a
step's utterances are those logged between its key and the moment Orca has fallen quiet.
Usage: speech.py MEREZHVAR_EXECUTABLE ORCA_DEBUG_LOG
"""
import os
import re
import subprocess
import sys
import time

# The texts a student must hear, copied from the designs (content/question_bank.cpp,
# content/answer_key.h, content/result_about_forms.cpp).
QUESTION_1 = ("Ваша колега розповсюджує неправдиву інформацію про вас в онлайновому публічному "
              "форумі. Порушення якого типу вчинив колега?")
QUESTION_2 = "Як можна забезпечити захист миттєвих повідомлень?"
OPTION_1_1 = "Плагіат"
OPTION_2_1 = "Спілкуватися в чаті лише з відомими користувачами"
FAIL_VERDICT = "Для Вас Інтернет може становити загрозу!!!"
ABOUT_TEXT = "Тест створила учениця 11 класу ЗШ №1 Тевдрина"
# Orca's own words for a check box's states, in Ukrainian.
TICKED = "позначено"
UNTICKED = "не позначено"

# Step -> what must be spoken in it, in this order, each exactly once (as parts of utterances).
EXPECTED = {
    "about opens": [ABOUT_TEXT],
    # Leaving the menu or the about form gives the keyboard back to the start form's button.
    "menu left by Escape": ["Розпочати тест"],
    "about closed": ["Розпочати тест"],
    "question 1 opens": ["Питання 1 з 24", QUESTION_1, OPTION_1_1, UNTICKED],
    "option ticked": [TICKED],
    "question 2 opens": ["Питання 2 з 24", QUESTION_2, OPTION_2_1, UNTICKED],
    "result opens": [FAIL_VERDICT],
}
QUESTIONS = 24

# The utterance may hold quotes itself; what follows its closing quote is Orca's voice settings.
ENTRY = re.compile(r"^\d\d:\d\d:\d\d\.\d{6} - SPEECH OUTPUT: '(.*)'(?:\{[^{}]*\})?(?: voice=\S+)?$")
READY = "ORCA: Startup complete notification made"


class OrcaLog:
    def __init__(self, path):
        self.path = path
        self.read_to = 0

    def size(self):
        try:
            return os.path.getsize(self.path)
        except OSError:
            return 0

    def text(self, start=0, end=None):
        """The log from byte `start` to byte `end` (its end if None)."""
        with open(self.path, "rb") as f:
            f.seek(start)
            data = f.read() if end is None else f.read(max(0, end - start))
            return data.decode("utf-8", "replace")

    def wait_quiet(self, quiet=0.8, limit=15.0):
        """Waits until the log has not grown for `quiet` seconds (at most `limit` seconds)."""
        deadline = time.monotonic() + limit
        last, since = self.size(), time.monotonic()
        while time.monotonic() < deadline:
            time.sleep(0.05)
            now = self.size()
            if now != last:
                last, since = now, time.monotonic()
            elif time.monotonic() - since >= quiet:
                return

    def take(self):
        """The utterances logged since the last call."""
        end = self.size()
        # Cut in bytes: what Orca writes after `end` belongs to the next step.
        chunk = self.text(self.read_to, end)
        self.read_to = end
        entries = []
        for line in chunk.splitlines():
            # println() indents the continuation lines of a multi-line entry by 18 blanks.
            if line.startswith(" " * 18) and entries:
                entries[-1] += "\n" + line[18:]
            else:
                entries.append(line)
        return [m.group(1) for m in (ENTRY.match(e) for e in entries) if m]


def normal(text):
    return " ".join(text.split())


def problems(step, utterances):
    """What is wrong with a step's utterances against the table."""
    heard = normal(" | ".join(utterances))
    found, where = [], -1
    for want in EXPECTED.get(step, []):
        w = normal(want)
        # "не позначено" contains "позначено": count a state only as a whole state.
        pattern = re.escape(w) if w != TICKED else r"(?<!не )" + re.escape(w)
        hits = [m.start() for m in re.finditer(pattern, heard)]
        if not hits:
            found.append(f"not spoken: «{want}»")
            continue
        if len(hits) > 1:
            found.append(f"spoken {len(hits)} times: «{want}»")
        if hits[0] < where:
            found.append(f"out of order: «{want}»")
        where = max(where, hits[0])
    return found


def main():
    exe, log_path = sys.argv[1], sys.argv[2]
    orca = OrcaLog(log_path)

    deadline = time.monotonic() + 60
    while time.monotonic() < deadline and (orca.size() == 0 or READY not in orca.text()):
        time.sleep(0.1)
    if orca.size() == 0 or READY not in orca.text():
        print("FAIL: Orca did not become ready; the tail of its log:")
        print(orca.text()[-3000:] if orca.size() else "(no log)")
        return 1
    orca.wait_quiet(quiet=1.0, limit=20)
    started = orca.take()

    transcript = [("Orca starts", started)]
    errors = open(log_path + ".program-stderr", "w+", encoding="utf-8", errors="replace")

    def run(pass_steps):
        """Starts the program, takes the steps, and ends it; False if it ended by itself."""
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        app = subprocess.Popen([exe], env=env, stdout=subprocess.DEVNULL, stderr=errors)
        for name, keys, quiet in pass_steps:
            if keys:
                subprocess.run(["xdotool", "key", "--delay", "40", *keys], check=True)
            orca.wait_quiet(quiet=quiet)
            transcript.append((name, orca.take()))
        alive = app.poll() is None
        app.kill()
        app.wait()
        orca.wait_quiet(quiet=0.5)
        orca.take()
        return alive

    # A pass: the rest is answered quickly, since from the first option four Tabs reach «Далі».
    quiz = [("start form opens", [], 1.5), ("question 1 opens", ["space"], 0.8),
            ("option ticked", ["space"], 0.8)]
    quiz += [(f"tab to option {n}", ["Tab"], 0.8) for n in range(2, 5)]
    quiz += [("tab to «Далі»", ["Tab"], 0.8), ("question 2 opens", ["space"], 0.8)]
    quiz += [(f"question {n} opens", ["Tab"] * 4 + ["space"], 0.4) for n in range(3, QUESTIONS + 1)]
    quiz += [("result opens", ["Tab"] * 4 + ["space"], 0.8)]
    # The about form, in a run of its own: its «Закрити» ends the program, and its title-bar
    # close only hides it and gives the start form back.
    about = [("start form opens again", [], 1.5), ("menu opens", ["F10"], 0.8),
             ("menu left by Escape", ["Escape"], 0.8), ("menu opens again", ["F10"], 0.8),
             ("about opens", ["Return"], 0.8), ("about closed", ["alt+F4"], 0.8)]

    failures = []
    for steps in (quiz, about):
        if not run(steps):
            failures.append(("the program", [f"ended by itself before «{steps[-1][0]}» was over"]))
    for name, utterances in transcript:
        wrong = problems(name, utterances)
        if wrong:
            failures.append((name, wrong))

    print("What Orca spoke, step by step:")
    for name, utterances in transcript:
        print(f"  [{name}]")
        for u in utterances:
            print(f"      «{u}»")
    if failures:
        errors.seek(0)
        # Qt reports each key that Orca was too busy to look at in time; the key still arrives.
        lines = errors.read().splitlines()
        late = [line for line in lines if "keyEventError" in line]
        rest = [line for line in lines if "keyEventError" not in line]
        if rest or late:
            print("The program's standard error:")
            for line in rest[-30:]:
                print(f"    {line}")
            if late:
                print(f"    ({len(late)} keys reached Orca too late for Qt to wait for its answer)")
        for name, wrong in failures:
            for w in wrong:
                print(f"FAIL [{name}]: {w}")
        return 1
    print("PASS: every step spoke what it must")
    return 0


if __name__ == "__main__":
    sys.exit(main())
