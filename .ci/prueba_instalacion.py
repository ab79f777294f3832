#!/usr/bin/env python3
"""La orden de instalación del README funciona tal como está escrita en una
máquina Debian nueva y trae lo mismo que instala .ci/run."""
import re
import sys
from pathlib import Path

raiz = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)
fallos = []

# Órdenes del README (las líneas sangradas con cuatro blancos) que instalan
# paquetes, y sus paquetes.
ordenes = [l.strip() for l in (raiz / "README.md").read_text(encoding="utf-8").splitlines()
           if l.startswith("    ") and "apt-get install" in l]


def paquetes(texto):
    """Paquetes de las órdenes 'apt-get install' de un texto de shell (las
    líneas que acaban en '\\' siguen en la siguiente)."""
    r = set()
    for linea in texto.replace("\\\n", " ").splitlines():
        partes = linea.split("apt-get install", 1)
        if len(partes) < 2 or linea.lstrip().startswith("#"):
            continue
        for p in partes[1].split():
            if p in ("&&", "||", ";", "|"):
                break
            if not p.startswith("-"):
                r.add(p)
    return r


if not ordenes:
    fallos.append("el README no tiene ninguna orden apt-get install")
elif not ordenes[0].startswith("sudo apt-get update && "):
    # En una máquina nueva las listas de paquetes están viejas o vacías.
    fallos.append("la primera orden de instalación del README no empieza por 'sudo apt-get update &&': " + ordenes[0])

del_readme = set().union(*(paquetes(o) for o in ordenes)) if ordenes else set()
de_ci = paquetes((raiz / ".ci" / "run").read_text(encoding="utf-8"))
if not de_ci:
    fallos.append(".ci/run no instala ningún paquete")
if de_ci - del_readme:
    fallos.append("instala .ci/run y no el README: " + " ".join(sorted(de_ci - del_readme)))
if del_readme - de_ci:
    fallos.append("instala el README y no .ci/run: " + " ".join(sorted(del_readme - de_ci)))

for f in fallos:
    print("FALLO:", f)
print("instalación:", "bien" if not fallos else "mal", f"({len(de_ci)} paquetes)")
sys.exit(1 if fallos else 0)
