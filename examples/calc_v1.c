/*
 * calc.c - a small desk calculator.
 *
 * Reads lines such as "3 + 4 * (2 - 1)" from standard input and prints
 * the value of each. Knows + - * / and parentheses.
 */

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define MAX_LINE 256

struct parser {
	const char *text;
	int pos;
	int error;
};

static double expression(struct parser *p);

static void skip_blanks(struct parser *p)
{
	while (p->text[p->pos] == ' ' || p->text[p->pos] == '\t')
		p->pos++;
}

static int peek(struct parser *p)
{
	skip_blanks(p);
	return p->text[p->pos];
}

static double number(struct parser *p)
{
	double value = 0.0;
	int digits = 0;

	skip_blanks(p);
	while (isdigit((unsigned char)p->text[p->pos])) {
		value = value * 10 + (p->text[p->pos] - '0');
		p->pos++;
		digits++;
	}
	if (digits == 0)
		p->error = 1;
	return value;
}

static double factor(struct parser *p)
{
	double value;

	if (peek(p) == '(') {
		p->pos++;
		value = expression(p);
		if (peek(p) != ')')
			p->error = 1;
		else
			p->pos++;
		return value;
	}
	if (peek(p) == '-') {
		p->pos++;
		return -factor(p);
	}
	return number(p);
}

static double term(struct parser *p)
{
	double value = factor(p);

	for (;;) {
		int op = peek(p);
		if (op == '*') {
			p->pos++;
			value *= factor(p);
		} else if (op == '/') {
			p->pos++;
			value /= factor(p);
		} else {
			return value;
		}
	}
}

static double expression(struct parser *p)
{
	double value = term(p);

	for (;;) {
		int op = peek(p);
		if (op == '+') {
			p->pos++;
			value += term(p);
		} else if (op == '-') {
			p->pos++;
			value -= term(p);
		} else {
			return value;
		}
	}
}

static void strip_newline(char *line)
{
	size_t length = strlen(line);

	if (length > 0 && line[length - 1] == '\n')
		line[length - 1] = '\0';
}

static int evaluate(const char *line, double *result)
{
	struct parser p = { line, 0, 0 };

	*result = expression(&p);
	if (peek(&p) != '\0')
		p.error = 1;
	return p.error ? -1 : 0;
}

static void print_value(double value)
{
	printf("%g\n", value);
}

static void usage(const char *name)
{
	fprintf(stderr, "usage: %s\n", name);
	fprintf(stderr, "reads expressions from standard input\n");
}

int main(int argc, char **argv)
{
	char line[MAX_LINE];
	double value;
	int line_number = 0;

	if (argc > 1) {
		usage(argv[0]);
		return 2;
	}

	while (fgets(line, sizeof line, stdin) != NULL) {
		line_number++;
		strip_newline(line);
		if (line[0] == '\0')
			continue;
		if (evaluate(line, &value) != 0) {
			fprintf(stderr, "line %d: syntax error\n", line_number);
			continue;
		}
		print_value(value);
	}
	return 0;
}
