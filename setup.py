# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds vespera._core with CMake, from python/CMakeLists.txt, which takes the calculator's
sources from the same list as the programs (src/core_library.cmake). The metadata is in
pyproject.toml."""

import os
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext: Extension) -> None:
        import pybind11

        package = Path(self.get_ext_fullpath(ext.name)).resolve().parent
        build = Path(self.build_temp).resolve() / "cmake"
        configure = [
            "cmake", "-S", str(HERE / "python"), "-B", str(build),
            "-DCMAKE_BUILD_TYPE=Release",
            f"-Dpybind11_DIR={pybind11.get_cmake_dir()}",
            f"-DPython_EXECUTABLE={sys.executable}",
            f"-DVESPERA_PYTHON_PACKAGE_DIR={package}",
        ]
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL") or str(os.cpu_count() or 1)
        subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", "vespera_python", "-j", jobs],
                       check=True)


setup(
    ext_modules=[Extension("vespera._core", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    # Beside the programs' CMake folder build/, never inside it.
    options={"build": {"build_base": "build-python"}},
)
