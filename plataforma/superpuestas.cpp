#include "plataforma/superpuestas.h"
#include "plataforma/fuentes.h"
#include "plataforma/lista_marcado.h"

std::size_t prepara_banda_superpuestas(banda_informe& banda, int izquierda, const reglas_superpuestas& reglas)
{
    etiqueta_informe principal;
    principal.izquierda = izquierda;
    principal.pixeles = 11;
    principal.paso = reglas.paso;
    banda.etiquetas.push_back(principal);
    std::size_t primera = banda.etiquetas.size();
    for (int i = 0; i < reglas.num_superpuestas; ++i) {
        etiqueta_informe e;
        e.visible = false;
        banda.etiquetas.push_back(e);
    }
    return primera;
}

int compone_superpuestas(banda_informe& banda, std::size_t principal, std::size_t primera, const std::string& linea,
                         const reglas_superpuestas& r)
{
    std::string buffer(static_cast<std::size_t>(r.sangria), ' ');
    const int izquierda = banda.etiquetas[principal].izquierda;
    for (int k = 0; k < r.num_superpuestas; ++k) {
        etiqueta_informe& e = banda.etiquetas[primera + static_cast<std::size_t>(k)];
        e.titulo.clear();
        e.fuente = QStringLiteral("Courier New");
        e.pixeles = r.pixeles_normal;
        e.negrita = e.cursiva = false;
        e.visible = false;
        e.paso = 0;
    }
    int i = 0, perdidos = 0;
    bool marca = false;
    int desplaza = 0;
    int columna_symbol_ancho = -1;  // columna de un carácter Symbol más ancho que ella
    etiqueta_informe pendiente;
    pendiente.pixeles = r.pixeles_normal;
    pendiente.fuente = QStringLiteral("Courier New");
    for (std::size_t k = 0; k < linea.size(); ++k) {
        char c = linea[k];
        if (c == '`') {
            if (k + 1 >= linea.size()) break;
            char codigo = linea[++k];
            switch (codigo) {
            case 'B': pendiente.negrita = true; break;
            case 'D': case 'U': pendiente.pixeles = r.pixeles_menor; break;
            case 'I': pendiente.cursiva = true; break;
            case 'M': desplaza = 2; break;
            case 'S': pendiente.fuente = QStringLiteral("Symbol"); break;
            default: break;
            }
            marca = true;
            continue;
        }
        const int j = static_cast<int>(buffer.size());
        if (marca && i < r.num_superpuestas) {
            etiqueta_informe& e = banda.etiquetas[primera + static_cast<std::size_t>(i)];
            e.titulo = pendiente.fuente == QLatin1String("Symbol") ? QString(QChar(static_cast<unsigned char>(c)))
                                                                   : desde_1252(std::string(1, c));
            e.fuente = pendiente.fuente;
            e.pixeles = pendiente.pixeles;
            e.negrita = pendiente.negrita;
            e.cursiva = pendiente.cursiva;
            // Como en la pantalla: un carácter Symbol más ancho que la columna
            // (Σ) se corre a la izquierda, y el que lo sigue no se le echa encima.
            e.izquierda = izquierda + r.paso * j - (columna_symbol_ancho == j - 1 ? 0 : desplaza);
            columna_symbol_ancho = -1;
            if (e.fuente == QLatin1String("Symbol")) {
                const int retroceso = retroceso_symbol(fuentes::fuente(e.fuente, e.pixeles, e.negrita, e.cursiva),
                                                       fuentes::texto_symbol(static_cast<unsigned char>(c)), r.paso);
                e.izquierda -= retroceso;
                if (retroceso > 0) columna_symbol_ancho = j;
            }
            e.arriba = e.pixeles >= r.pixeles_normal ? 0 : r.baja_menor;
            e.visible = true;
            ++i;
            buffer.push_back(' ');
        } else {
            if (marca) ++perdidos;
            buffer.push_back(c);
            columna_symbol_ancho = -1;
        }
        marca = false;
        desplaza = 0;
        pendiente = etiqueta_informe();
        pendiente.pixeles = r.pixeles_normal;
        pendiente.fuente = QStringLiteral("Courier New");
    }
    banda.etiquetas[principal].titulo = desde_1252(buffer);
    return perdidos;
}
