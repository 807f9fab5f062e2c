"""The engine as other games get it: its dev component installed into a scratch prefix or
packaged as libks-dev, used by projects outside the repository (the example games, a game made
with the starter kit) through find_package(ks) and pkg-config.

    sdk_e2e.py --source <repository> --build <build folder> <test>"""

import concurrent.futures
import contextlib
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import assert_lintian_clean, main, run, run_game, tests_of  # noqa: E402

HELLO_LINE = ":Cycles: 30:"  # row 1 of hello's last frame: the framed counter at 30
# The example games with a recorded demo: their log file's name.
EXAMPLE_LOGS = {"snake": "kestrel.log", "bricks": "bricks.log"}
# What the guide has a game do with one header included: each must compile with that header
# alone, whatever else the header needs to say it.
USES = {
    "InputManager.h": "ks::InputManager::getInstance().setPauseKey(ks::Keyboard::P);",
    "ViewObject.h": "ks::ViewObject v; v.setLocation(ks::BOTTOM_RIGHT); v.setColor(ks::YELLOW);",
    "GraphicsManager.h": "ks::GraphicsManager::getInstance().setFontFile(\"f.ttf\");",
    "ResourceManager.h": "ks::ResourceManager::getInstance().setDataFolder(\"data\");",
    "WorldManager.h": "ks::WorldManager& w = ks::WorldManager::getInstance();"
                      " ks::Object* p = nullptr; w.markForDelete(p); w.adoptObject(p);",
    "AudioManager.h": "ks::AudioManager::getInstance().setPlatform(nullptr);",
    "LogManager.h": "ks::LogManager::getInstance().setFileName(\"game.log\");",
}
EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")


@contextlib.contextmanager
def installed(args):
    """A scratch folder, and in it the prefix the engine's dev component is installed into."""
    with tempfile.TemporaryDirectory(prefix="ks-sdk-") as root:
        prefix = os.path.join(root, "prefix")
        run("cmake", "--install", args.build, "--prefix", prefix, "--component", "dev")
        yield root, prefix


def cmake_project(source, build, prefix, *options):
    """Configures and builds a project against the engine installed in prefix."""
    run("cmake", "-S", source, "-B", build, "-DCMAKE_PREFIX_PATH=" + prefix, *options)
    run("cmake", "--build", build, "-j2")


def hello_row(executable, work):
    """Runs hello without a window in work; returns the screen row it printed."""
    os.makedirs(work, exist_ok=True)
    return run(executable, "--headless", cwd=work).stdout.strip("\n").splitlines()[-1]


# A game on the core alone: ten cycles on the headless platform.
WINDOWLESS = """#include <cstdio>
#include <ks/GameManager.h>
#include <ks/HeadlessPlatform.h>
#include <ks/LogManager.h>
int main() {
    ks::HeadlessPlatform headless;
    ks::LogManager::getInstance().startUp();
    ks::GameManager& game = ks::GameManager::getInstance();
    game.setPlatform(headless);
    game.startUp();
    game.setPaced(false);
    for (int i = 0; i < 10; i++)
        game.cycle();
    printf("ran %d cycles\\n", 10);
}
"""


def internal_headers(source):
    """The engine's own helpers, which are not installed (cmake/ksLibrary.cmake lists them)."""
    with open(os.path.join(source, "cmake", "ksLibrary.cmake")) as cmake:
        text = cmake.read()
    listed = re.search(r"set\(KS_INTERNAL_HEADERS(.*?)\)", text, re.S).group(1)
    return set(re.findall(r"\b(\w+\.h)\b", listed))


def test_engine_installs_for_outside_projects(args):
    with installed(args) as (root, prefix):
        libdir = os.path.dirname(glob.glob(prefix + "/lib/**/libks_core.a", recursive=True)[0])
        for path in [prefix + "/include/ks/GameManager.h", prefix + "/share/ks/ks-font.ttf"] + [
                os.path.join(libdir, f) for f in (
                    "libks_headless.a", "libks_sfml.a", "cmake/ks/ksConfig.cmake",
                    "cmake/ks/ksConfigVersion.cmake", "cmake/ks/ksTargets.cmake",
                    "pkgconfig/ks.pc", "pkgconfig/ks-core.pc")]:
            assert os.path.isfile(path), path + " not installed"
        # Every public header of the engine and of the platforms of a desktop build (the web's is
        # built with Emscripten only) is installed, its own helpers are not, and each compiles on
        # its own: it includes what it uses.
        headers = sorted(os.path.basename(h) for h in glob.glob(prefix + "/include/ks/*.h"))
        internal = internal_headers(args.source)
        sources = sorted(os.path.basename(h) for h in glob.glob(args.source + "/engine/*/*.h") +
                         glob.glob(args.source + "/platform/headless/*.h") +
                         glob.glob(args.source + "/platform/sfml/*.h")
                         if os.path.basename(h) not in internal)
        assert headers == sources, "installed %s, the engine has %s" % (headers, sources)
        assert {"SpatialGrid.h", "QuadBatcher.h", "CameraObject.h"} <= internal, internal

        def compile_alone(header):
            use = USES.get(header, "")
            result = subprocess.run(
                ["c++", "-std=c++17", "-fsyntax-only", "-Wall", "-Wextra", "-Werror",
                 "-I" + prefix + "/include", "-x", "c++", "-"],
                input="#include <ks/%s>\nvoid use() { %s }\n" % (header, use),
                capture_output=True, text=True)
            return header, result.returncode, result.stderr

        assert set(USES) <= set(headers), set(USES) - set(headers)
        with concurrent.futures.ThreadPoolExecutor(2) as pool:
            failed = [r for r in pool.map(compile_alone, headers) if r[1] != 0]
        assert not failed, "headers that do not compile alone:\n" + "\n".join(
            "%s:\n%s" % (h, err) for h, _, err in failed)

        # The API reference, when doxygen built it, is installed, of the public headers only.
        if shutil.which("doxygen"):
            pages = os.listdir(os.path.join(prefix, "share/doc/libks-dev/html"))
            assert "index.html" in pages and "classks_1_1GameManager.html" in pages, pages
            assert not [p for p in pages if "SpatialGrid" in p or "CameraObject" in p], pages

        # A fresh project with find_package(ks) builds against the prefix and runs headless.
        hello = os.path.join(root, "hello")
        shutil.copytree(os.path.join(args.source, "examples", "hello"), hello)
        cmake_project(hello, hello + "/build", prefix)
        assert hello_row(hello + "/build/hello", root + "/run1") == " " + HELLO_LINE + " " * 67

        # The same program built with nothing but pkg-config.
        env = dict(os.environ, PKG_CONFIG_PATH=libdir + "/pkgconfig")
        flags = run("pkg-config", "--cflags", "--libs", "ks", env=env).stdout.split()
        assert "-I%s/include" % prefix in flags and "-lks_core" in flags, flags
        assert any(f.startswith("-lsfml-graphics") for f in flags), "no SFML in %s" % flags
        run("c++", "-std=c++17", hello + "/hello.cpp", "-o", root + "/hello-pc", *flags)
        assert hello_row(root + "/hello-pc", root + "/run2").strip() == HELLO_LINE

        # A game without a window, on the core and the headless platform (ks-core), links
        # neither SFML nor X11.
        core_flags = run("pkg-config", "--cflags", "--libs", "ks-core", env=env).stdout.split()
        assert not [f for f in core_flags if "sfml" in f or "X11" in f], core_flags
        with open(root + "/windowless.cpp", "w") as source:
            source.write(WINDOWLESS)
        run("c++", "-std=c++17", root + "/windowless.cpp", "-o", root + "/windowless",
            *core_flags)
        libraries = run("ldd", root + "/windowless").stdout
        assert "sfml" not in libraries and "X11" not in libraries, libraries
        os.makedirs(root + "/run3")
        assert run(root + "/windowless", cwd=root + "/run3").stdout == "ran 10 cycles\n"


def game_includes(folder):
    """The #include lines of a game's sources that name neither the installed engine (<ks/...>),
    nor the standard library, nor the game's own headers."""
    own = set(os.listdir(folder))
    found = []
    for name in sorted(own):
        if name.endswith((".cpp", ".h")):
            with open(os.path.join(folder, name)) as source:
                for header in re.findall(r'^#include [<"]([^>"]+)[>"]', source.read(), re.M):
                    if not (header.startswith("ks/") or header in own or "." not in header):
                        found.append("%s: %s" % (name, header))
    return found


def replay_demo(folder, example, cwd):
    """Replays the example's demo headless with the game in folder, from cwd: its recorded score,
    not a word on stderr (no sound device opened), no error in the log (every sprite and sound
    found). The log's text."""
    demo = os.path.join(EXAMPLES, example, "games")
    result = run_game(os.path.join(folder, example), "--replay", demo + "/demo.rpl",
                      "--headless", cwd=cwd, timeout=600)
    assert result.returncode == 0 and result.stderr == "", result.stderr
    with open(demo + "/demo.score") as score:
        assert result.stdout.strip().splitlines()[-1] == score.read().strip(), result.stdout
    with open(os.path.join(cwd, EXAMPLE_LOGS[example])) as log:
        text = log.read()
    assert not re.search(r"Error|Warning!", text), text
    return text


def test_example_games_replay_to_their_scores(args):
    with installed(args) as (root, prefix):
        logs = {}
        for example in EXAMPLE_LOGS:
            # Written against the installed engine only.
            assert not game_includes(os.path.join(EXAMPLES, example)), game_includes(
                os.path.join(EXAMPLES, example))
            build = os.path.join(root, example)
            cmake_project(os.path.join(EXAMPLES, example), build, prefix)
            logs[example] = replay_demo(build, example, build)
            # Its replay test, registered in one line of its CMakeLists.txt, passes.
            tests = run("ctest", "--output-on-failure", cwd=build).stdout
            assert "100% tests passed" in tests and "_demo" in tests, tests
        assert re.search(r"^Snake::die\(\): ran into Wall", logs["snake"], re.M)
        # The demo breaks bricks, catches a capsule and loses every ball.
        assert "Capsule::eventHandler(): caught" in logs["bricks"], logs["bricks"]
        assert "Ball::step(): gameover" in logs["bricks"], logs["bricks"]
        # A replay file that is not one is refused before anything opens.
        bad = os.path.join(root, "bad.rpl")
        with open(bad, "w") as rpl:
            rpl.write("ks-replay 1\nseed 1\n5 key pressed NOSUCHKEY\n")
        build = os.path.join(root, "snake")
        result = run_game(build + "/snake", "--replay", bad, "--headless", cwd=build)
        assert result.returncode == 2 and "bad.rpl:3" in result.stderr, result.stderr


def test_starter_kit_copies_installs_and_tests_a_game(args):
    """A game made with ks_game_data and ks_replay_test (the Bricks, copied): its data is copied
    into the build folder when built, again when edited, and installed with the game, which then
    runs from anywhere."""
    with installed(args) as (root, prefix):
        source, build, target, elsewhere = (os.path.join(root, d) for d in (
            "game", "build", "installed", "elsewhere"))
        shutil.copytree(os.path.join(EXAMPLES, "bricks"), source)
        cmake_project(source, build, prefix, "-DCMAKE_INSTALL_PREFIX=" + target)
        for path in ("sprites/ball-sprite.txt", "sounds/brick.wav", "ks-font.ttf"):
            assert os.path.isfile(os.path.join(build, path)), path + " not copied"
        # An edited sprite is copied again by the next build, without configuring again.
        ball = "sprites/ball-sprite.txt"
        with open(os.path.join(source, ball)) as sprite:
            edited = sprite.read().replace("\nO\n", "\n@\n")
        with open(os.path.join(source, ball), "w") as sprite:
            sprite.write(edited)
        run("cmake", "--build", build)
        with open(os.path.join(build, ball)) as sprite:
            assert sprite.read() == edited, "the build folder kept the old sprite"
        assert "bricks_demo" in run("ctest", "-N", cwd=build).stdout
        # Installed, the game finds its data where it was installed, started anywhere.
        run("cmake", "--install", build)
        for path in ("bin/bricks", "share/bricks/" + ball, "share/bricks/sounds/lose.wav",
                     "share/bricks/ks-font.ttf", "share/bricks/ks-font-LICENSE.txt"):
            assert os.path.isfile(os.path.join(target, path)), path + " not installed"
        os.makedirs(elsewhere)
        replay_demo(target + "/bin", "bricks", elsewhere)


def test_dev_package_is_lintian_clean(args):
    with tempfile.TemporaryDirectory(prefix="ks-deb-") as root:
        out = os.path.join(root, "deb")
        run("cpack", "-G", "DEB", "-B", out, "--config", args.build + "/CPackConfig.cmake",
            "-D", "CPACK_COMPONENTS_ALL=dev", cwd=root)
        debs = glob.glob(out + "/*.deb")
        assert [os.path.basename(d) for d in debs] == ["libks-dev_1.0.0_%s.deb" % run(
            "dpkg", "--print-architecture").stdout.strip()], debs
        info = run("dpkg-deb", "-f", debs[0], "Section", "Depends", "Description").stdout
        assert re.search(r"^Section: libdevel$", info, re.M), info
        assert re.search(r"^Depends:.*\blibsfml-dev\b.*\blibx11-dev\b", info, re.M), info
        assert re.search(r"^Description: .*development files", info, re.M), info
        files = run("dpkg-deb", "-c", debs[0]).stdout
        wanted = ["include/ks/GameManager.h", "share/doc/libks-dev/copyright",
                  "share/doc/libks-dev/changelog.gz", "share/ks/ks-font.ttf",
                  "lib/[^ ]*/cmake/ks/ksGame.cmake"]
        if shutil.which("doxygen"):
            wanted.append("share/doc/libks-dev/html/index.html")
        for path in wanted:
            assert re.search(r" \./usr/%s$" % path, files, re.M), path + " missing from the package"
        assert "games/murkvault" not in files, "the game is in the engine's package"
        # The packaged (stripped) library still links: a project builds against the unpacked
        # package's /usr and runs.
        unpacked = os.path.join(root, "unpacked")
        run("dpkg-deb", "-x", debs[0], unpacked)
        hello = os.path.join(root, "hello")
        cmake_project(os.path.join(args.source, "examples", "hello"), hello, unpacked + "/usr")
        assert hello_row(hello + "/hello", root + "/run").strip() == HELLO_LINE
        assert_lintian_clean(debs[0])


if __name__ == "__main__":
    sys.exit(main(tests_of(globals()), __doc__, required=("--source", "--build"), optional=()))
